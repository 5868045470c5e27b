// The integrator's guide (docs/README.txt, shipped beside the program) keeps up with the
// program: it names every environment variable that the program reads.
#include "app/environment_variables.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>

namespace qrv {
namespace {

bool IsNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// The name as a word of its own; a numbered prefix ("PartNo_") may be followed by an index.
bool NamesVariable(const std::string& text, std::string_view name) {
    for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
        const size_t end = at + name.size();
        const bool numbered = name.ends_with('_');
        if ((at == 0 || !IsNameCharacter(text[at - 1])) &&
            (end == text.size() || !IsNameCharacter(text[end]) ||
             (numbered && std::isdigit(static_cast<unsigned char>(text[end])) != 0))) {
            return true;
        }
    }
    return false;
}

TEST(IntegratorsGuide, NamesEveryEnvironmentVariableTheProgramReads) {
    std::ifstream file(QRV_SOURCE_DIR "/docs/README.txt", std::ios::binary);
    ASSERT_TRUE(file) << "no docs/README.txt";
    std::ostringstream guide;
    guide << file.rdbuf();
    for (const std::string_view name : kEnvironmentVariables) {
        EXPECT_TRUE(NamesVariable(guide.str(), name)) << name;
    }
}

} // namespace
} // namespace qrv
