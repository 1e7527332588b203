#pragma once

#if defined(SCRIVEL_BUILDING)
#define SCRIVEL_EXPORT __attribute__((visibility("default")))
#else
#define SCRIVEL_EXPORT
#endif
