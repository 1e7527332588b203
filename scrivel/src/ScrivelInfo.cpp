#include "scrivel/ScrivelExport.h"

// The library's version, for programs that want to report which Scrivel they run with.
SCRIVEL_EXPORT const char* scrivelVersion()
{
    return SCRIVEL_VERSION;
}
