#include "app/cad_library_lifetime.h"

#include "export/recording_library.h"
#include "platform/utf.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using Log = std::vector<std::string>;

class RecordingProcess final : public CadLibraryHost {
public:
    Log log;
    bool folderExists = true;
    bool loaded = true;
    testing::RecordingLibrary library;

    RecordingProcess() { library.sharedLog = &log; }
    void PutInFrontOfPath(const std::u16string& folder) override {
        log.push_back("PutInFrontOfPath|" + Utf16ToUtf8(folder));
    }
    void RestorePath() override { log.push_back("RestorePath"); }
    bool FolderExists(const std::u16string&) override { return folderExists; }
    void SetCurrentFolder(const std::u16string& folder) override {
        log.push_back("SetCurrentFolder|" + Utf16ToUtf8(folder));
    }
    void LoadCADBasket(const std::u16string& folder) override {
        log.push_back("LoadCADBasket|" + Utf16ToUtf8(folder));
    }
    void UnloadCADBasket() override { log.push_back("UnloadCADBasket"); }
    bool LibraryLoaded() const override { return loaded; }
    CadLibrary& Library() override { return library; }
    void Pump() override { log.push_back("Pump"); }
};

TEST(LoadCADLibrary, PutsTheFolderInFrontOfPathAndMakesItCurrentBeforeLoading) {
    RecordingProcess process;
    LoadCADLibrary(process, u"C:\\lib\\");
    EXPECT_EQ(process.log, (Log{"PutInFrontOfPath|C:\\lib\\", "SetCurrentFolder|C:\\lib\\",
                                "LoadCADBasket|C:\\lib\\"}));
}

TEST(LoadCADLibrary, AMissingFolderStillGoesInFrontOfPathButIsNotMadeCurrent) {
    RecordingProcess process;
    process.folderExists = false;
    LoadCADLibrary(process, u"\\");
    EXPECT_EQ(process.log, (Log{"PutInFrontOfPath|\\", "LoadCADBasket|\\"}));
}

TEST(UnloadCADLibrary, RestoresPathFirstThenStopsTheCadSystemAndUnloads) {
    RecordingProcess process;
    UnloadCADLibrary(process);
    EXPECT_EQ(process.log, (Log{"RestorePath", "lib CadStop", "Pump", "UnloadCADBasket"}));
}

TEST(UnloadCADLibrary, WithoutALoadedLibraryOnlyRestoresPath) {
    RecordingProcess process;
    process.loaded = false;
    UnloadCADLibrary(process);
    EXPECT_EQ(process.log, Log{"RestorePath"});
}

TEST(UnloadCADLibrary, AFaultInCadStopStillUnloads) {
    RecordingProcess process;
    process.library.faultOn = {"CadStop"};
    EXPECT_NO_THROW(UnloadCADLibrary(process));
    EXPECT_EQ(process.log, (Log{"RestorePath", "lib CadStop", "Pump", "UnloadCADBasket"}));
}

} // namespace
} // namespace qrv
