// Every test program runs in English on the offscreen platform, whatever the
// desktop's language, unless whoever runs it set these (even to nothing), as
// the language tests do. gtest_discover_tests passes only one variable.
#include <cstdlib>

namespace {

const bool kEnvironmentSet = [] {
    setenv("PROVANA_LANGUAGE", "en", 0);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return true;
}();

} // namespace
