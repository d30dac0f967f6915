#pragma once

namespace plughost
{

// Exit statuses shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitDifferent = 1; // `state --compare`; a failed `validate` check
inline constexpr int kExitBadInput = 2;

} // namespace plughost
