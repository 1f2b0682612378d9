// The string-table ids of the framework's own texts, which the program's
// resource script defines.
#pragma once

// The framework's report of a mistake in the program itself.
#define IDS_NO_CONTROL 150
#define IDS_PROGRAM_ERROR_CAPTION 151
