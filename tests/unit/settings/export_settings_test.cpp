#include "settings/export_settings.h"
#include "settings/temp_folder.h"
#include "settings/wide_ini_file.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(ReadStartTimeout, DefaultsAndTheFormsTheFileMayHold) {
    testing::TempFolder folder;
    const std::u16string path = folder.File(u"doveravar.ini");
    EXPECT_EQ(ReadStartTimeout(path), 120); // no file

    const std::vector<std::pair<std::u16string, int32_t>> cases = {
        {u"300", 300}, {u"0x3C", 60}, {u"$3C", 60},         {u"0", 0}, {u"-5", -5}, {u"soon", 120},
        {u"", 120},    {u"0x", 120},  {u"99999999999", 120}};
    for (const auto& [text, expected] : cases) {
        {
            TWideIniFile settings(path);
            settings.WriteString(u"System", u"StartPDataMgrTimeoutSeconds", text);
        }
        EXPECT_EQ(ReadStartTimeout(path), expected);
    }
}

} // namespace
} // namespace qrv
