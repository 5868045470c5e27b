#include "platform/win32/path_variable.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

// Keeps the test process's PATH as it was.
class PathVariableTest : public ::testing::Test {
protected:
    void SetUp() override { original_ = ReadPathVariable(); }
    void TearDown() override { WritePathVariable(original_); }

private:
    std::optional<std::u16string> original_;
};

TEST_F(PathVariableTest, RestoresALongUnicodePathCharacterForCharacter) {
    std::u16string path = u"C:\\\u041f\u0440\u043e\u0435\u043a\u0442\u4e2d;;C:\\x ;";
    while (path.size() < 5000) {
        path += u"C:\\Program Files\\Tool " +
                std::u16string(1, static_cast<char16_t>(u'A' + path.size() % 26)) + u";";
    }
    WritePathVariable(path);

    TPathPrefix prefix;
    prefix.Apply(u"D:\\cad\\lib\\");
    EXPECT_EQ(ReadPathVariable(), u"D:\\cad\\lib\\;" + path);
    EXPECT_EQ(prefix.SavedPath(), path);
    prefix.Restore();
    EXPECT_EQ(ReadPathVariable(), path);
}

TEST_F(PathVariableTest, UnsetPathIsUnsetAgainAfterwards) {
    WritePathVariable(std::nullopt);
    TPathPrefix prefix;
    prefix.Apply(u"\\");
    EXPECT_EQ(ReadPathVariable(), u"\\;");
    prefix.Restore();
    EXPECT_EQ(ReadPathVariable(), std::nullopt);
}

TEST_F(PathVariableTest, RestoreWithoutApplyLeavesPathAlone) {
    WritePathVariable(u"C:\\keep");
    TPathPrefix().Restore();
    EXPECT_EQ(ReadPathVariable(), u"C:\\keep");
}

TEST_F(PathVariableTest, EmptyPathStaysSetButEmpty) {
    WritePathVariable(u"");
    TPathPrefix prefix;
    prefix.Apply(u"C:\\lib\\");
    prefix.Restore();
    // Windows does not keep a variable with an empty value: it reads back as unset or empty.
    EXPECT_EQ(ReadPathVariable().value_or(u""), u"");
}

} // namespace
} // namespace qrv
