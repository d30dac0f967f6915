// A module whose description fails the way a broken product's does: a
// checked host call throws, and the library traces the error and answers it.
#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CheckedResult.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_PluginDescription.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VCollection.h"

AAX_Result AAX_DescribePlugin(AAX_VCollection*)
{
  AAX_CheckedResult result;
  result = AAX_ERROR_NULL_OBJECT;
  return AAX_SUCCESS;
}
