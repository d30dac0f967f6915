#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CheckedResult.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_Exception.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_ResultNames.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_Trace.h"
#include "tests/aax/HostServicesFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// The published table, in order from -20001 (with -20029 unused).
const std::vector<std::string> kNames = {"AAX_ERROR_INVALID_PARAMETER_ID",
                                         "AAX_ERROR_INVALID_STRING_CONVERSION",
                                         "AAX_ERROR_INVALID_METER_INDEX",
                                         "AAX_ERROR_NULL_OBJECT",
                                         "AAX_ERROR_OLDER_VERSION",
                                         "AAX_ERROR_INVALID_CHUNK_INDEX",
                                         "AAX_ERROR_INVALID_CHUNK_ID",
                                         "AAX_ERROR_INCORRECT_CHUNK_SIZE",
                                         "AAX_ERROR_UNIMPLEMENTED",
                                         "AAX_ERROR_INVALID_PARAMETER_INDEX",
                                         "AAX_ERROR_NOT_INITIALIZED",
                                         "AAX_ERROR_ACF_ERROR",
                                         "AAX_ERROR_INVALID_METER_TYPE",
                                         "AAX_ERROR_CONTEXT_ALREADY_HAS_METERS",
                                         "AAX_ERROR_NULL_COMPONENT",
                                         "AAX_ERROR_PORT_ID_OUT_OF_RANGE",
                                         "AAX_ERROR_FIELD_TYPE_DOES_NOT_SUPPORT_DIRECT_ACCESS",
                                         "AAX_ERROR_DIRECT_ACCESS_OUT_OF_BOUNDS",
                                         "AAX_ERROR_FIFO_FULL",
                                         "AAX_ERROR_INITIALIZING_PACKET_STREAM_THREAD",
                                         "AAX_ERROR_POST_PACKET_FAILED",
                                         "AAX_RESULT_PACKET_STREAM_NOT_EMPTY",
                                         "AAX_RESULT_ADD_FIELD_UNSUPPORTED_FIELD_TYPE",
                                         "AAX_ERROR_MIXER_THREAD_FALLING_BEHIND",
                                         "AAX_ERROR_INVALID_FIELD_INDEX",
                                         "AAX_ERROR_MALFORMED_CHUNK",
                                         "AAX_ERROR_TOD_BEHIND",
                                         "AAX_RESULT_NEW_PACKET_POSTED",
                                         "<unknown error code>",
                                         "AAX_ERROR_PLUGIN_NULL_PARAMETER",
                                         "AAX_ERROR_NOTIFICATION_FAILED",
                                         "AAX_ERROR_INVALID_VIEW_SIZE",
                                         "AAX_ERROR_SIGNED_INT_OVERFLOW",
                                         "AAX_ERROR_NO_COMPONENTS",
                                         "AAX_ERROR_DUPLICATE_EFFECT_ID",
                                         "AAX_ERROR_DUPLICATE_TYPE_ID",
                                         "AAX_ERROR_EMPTY_EFFECT_NAME",
                                         "AAX_ERROR_UNKNOWN_PLUGIN",
                                         "AAX_ERROR_PROPERTY_UNDEFINED",
                                         "AAX_ERROR_INVALID_PATH",
                                         "AAX_ERROR_UNKNOWN_ID",
                                         "AAX_ERROR_UNKNOWN_EXCEPTION",
                                         "AAX_ERROR_INVALID_ARGUMENT",
                                         "AAX_ERROR_NULL_ARGUMENT",
                                         "AAX_ERROR_INVALID_INTERNAL_DATA",
                                         "AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW"};
} // namespace

TEST(ResultNames, EveryLibraryCodeHasItsPublishedName)
{
  ASSERT_EQ(kNames.size(), 46u);
  for (std::size_t i = 0; i < kNames.size(); ++i)
  {
    const AAX_Result code = -20001 - static_cast<AAX_Result>(i);
    EXPECT_EQ(AAX_ResultName(code), kNames[i]) << code;
  }
  EXPECT_STREQ(AAX_ResultName(0), "AAX_SUCCESS");
  EXPECT_STREQ(AAX_ResultName(-20004), "AAX_ERROR_NULL_OBJECT");
  EXPECT_STREQ(AAX_ResultName(-20046), "AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW");
}

TEST(ResultNames, PluginRangeAndEverythingElse)
{
  EXPECT_STREQ(AAX_ResultName(-20700), "plug-in defined error");
  EXPECT_STREQ(AAX_ResultName(-21000), "plug-in defined error");
  EXPECT_STREQ(AAX_ResultName(-20600), "plug-in defined error");
  for (AAX_Result code : {-19999, -20047, -20599, -21001, 1, -333, -20051})
    EXPECT_STREQ(AAX_ResultName(code), "<unknown error code>") << code;
}

TEST(ResultError, DescriptionAndFullText)
{
  const AAX::Exception::ResultError plain(-20004);
  EXPECT_EQ(plain.Description(), "AAX_ERROR_NULL_OBJECT (-20004)");
  EXPECT_EQ(plain.FullText(), plain.Description());
  EXPECT_EQ(plain.Result(), -20004);
  const AAX::Exception::ResultError located(-20700, "Describe", "42");
  EXPECT_EQ(located.FullText(), "plug-in defined error (-20700) func:Describe line:42");
  EXPECT_STREQ(located.what(), located.FullText().c_str());
  const AAX::Exception::Any lineOnly("broken", "", "7");
  EXPECT_EQ(lineOnly.FullText(), "broken line:7");
}

using CheckedResultTest = HostServicesFixture;

TEST_F(CheckedResultTest, AcceptedResultsPassAndOthersThrowAfterTracing)
{
  AAX_CheckedResult result;
  EXPECT_NO_THROW(result = AAX_SUCCESS);
  result.AddAcceptedResult(AAX_ERROR_UNIMPLEMENTED);
  EXPECT_NO_THROW(result = AAX_ERROR_UNIMPLEMENTED);
  EXPECT_EQ(result.Result(), AAX_ERROR_UNIMPLEMENTED);

  try
  {
    result = AAX_ERROR_INVALID_CHUNK_ID;
    FAIL() << "no exception";
  }
  catch (const AAX::Exception::ResultError& error)
  {
    EXPECT_EQ(error.Result(), AAX_ERROR_INVALID_CHUNK_ID);
  }
  EXPECT_EQ(result.Result(), AAX_SUCCESS);
  EXPECT_EQ(result.LastError(), AAX_ERROR_INVALID_CHUNK_ID);
  const auto traces = Services().Traces();
  ASSERT_EQ(traces.size(), 1u);
  EXPECT_EQ(traces[0].priority, 0x4000000);
  EXPECT_EQ(traces[0].message, "AAX_CheckedResult - throwing AAX_ERROR_INVALID_CHUNK_ID (-20007)");

  result.ResetAcceptedResults();
  EXPECT_THROW(result = AAX_ERROR_UNIMPLEMENTED, AAX::Exception::ResultError);
  EXPECT_THROW(AAX_CheckedResult{-20700}, AAX::Exception::ResultError);
}

using TraceTest = HostServicesFixture;

TEST_F(TraceTest, MessagesAreFormattedAndCutTo511Characters)
{
  EXPECT_EQ(AAX_TraceMessage(5, "value %d of %s", 3, "x"), AAX_SUCCESS);
  const std::string longText(600, 'q');
  EXPECT_EQ(AAX_TraceMessage(6, "%s!", longText.c_str()), AAX_SUCCESS);
  const auto traces = Services().Traces();
  ASSERT_EQ(traces.size(), 2u);
  EXPECT_EQ(traces[0].priority, 5);
  EXPECT_EQ(traces[0].message, "value 3 of x");
  EXPECT_EQ(traces[1].message, std::string(511, 'q'));
  EXPECT_EQ(AAX_TraceMessage(1, nullptr), AAX_RESULT_TRACE_FORMAT_FAILED);
}

TEST_F(TraceTest, AssertionReportsCarryPathLineExpressionAndTheContinueFlag)
{
  AAX_ReportAssertion("AAX_SDK/Libs/AAXLibrary/source/AAX_CEffectParameters", 128,
                      "mNumChunkedParameters >= 0");
  const auto reports = Services().Assertions();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].path, "AAX_SDK/Libs/AAXLibrary/source/AAX_CEffectParameters");
  EXPECT_EQ(reports[0].line, 128);
  EXPECT_EQ(reports[0].expression, "mNumChunkedParameters >= 0");
  EXPECT_EQ(reports[0].flags, 1);
}

TEST_F(TraceTest, AHostWithoutTheFlaggedReportStillReceivesThePlainOne)
{
  ASSERT_EQ(AAX_ModuleShutdown(), ACF_OK);
  mPolicy->Withhold(AAX_IID_HostServicesV2);
  ASSERT_EQ(AAX_ModuleStartup(HostUnknown()), ACF_OK);
  AAX_ReportAssertion("p", 3, "x > 0");
  const auto reports = Services().Assertions();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].expression, "x > 0");
  EXPECT_EQ(reports[0].flags, 0);
}

TEST(TraceWithoutHost, NothingHappensWithoutHostServices)
{
  ASSERT_EQ(AAX_VHostServices::Current(), nullptr);
  EXPECT_EQ(AAX_TraceMessage(1, "%s", "dropped"), AAX_SUCCESS);
  AAX_ReportAssertion("p", 1, "dropped");
}
