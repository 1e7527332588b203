#include "FuzzInput.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

void fuzzFail(const char* what)
{
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

// The readers use Qt's text and file classes, which want an application object.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static int count = 1;
    static char name[] = "lotmark-fuzz";
    static char* args[] = {name, nullptr};
    (void)argc;
    (void)argv;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QCoreApplication app(count, args);
    return 0;
}
