// libFuzzer entry: the metafile reader and player over arbitrary bytes.

#include "wmf_fuzz_one.h"

#include <QGuiApplication>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "wmf_fuzz";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv); // text needs the font database
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size) {
    playWmfInput(data, size);
    return 0;
}

// Font caches of fontconfig live until exit; they are not our leaks.
extern "C" const char *__lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libfreetype.so\n";
}
