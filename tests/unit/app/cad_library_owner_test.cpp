#include "app/cad_library_owner.h"

#include "app/recording_roles.h"
#include "export/recording_library.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using testing::Log;

// A loaded library that logs its calls with the owner's steps.
struct RecordingOwner {
    RecordingOwner() {
        library.sharedLog = &log;
        owner.library = &library;
        owner.loaded = true;
    }
    Log log;
    testing::RecordingLibrary library;
    testing::RecordingShell shell{log};
    testing::RecordingLibraryOwner owner{log, shell};
};

TEST(LoadCADLibrary, PutsTheFolderInFrontOfPathAndMakesItCurrentBeforeLoading) {
    RecordingOwner process;
    process.owner.LoadCADLibrary(u"C:\\lib\\");
    EXPECT_EQ(process.log, (Log{"PutInFrontOfPath|C:\\lib\\", "SetCurrentFolder|C:\\lib\\",
                                "LoadCADBasket|C:\\lib\\"}));
}

TEST(LoadCADLibrary, AMissingFolderStillGoesInFrontOfPathButIsNotMadeCurrent) {
    RecordingOwner process;
    process.owner.folderExists = false;
    process.owner.LoadCADLibrary(u"\\");
    EXPECT_EQ(process.log, (Log{"PutInFrontOfPath|\\", "LoadCADBasket|\\"}));
}

TEST(UnloadCADLibrary, RestoresPathFirstThenStopsTheCadSystemAndUnloads) {
    RecordingOwner process;
    process.owner.UnloadCADLibrary();
    EXPECT_EQ(process.log, (Log{"RestorePath", "lib CadStop", "Pump", "UnloadCADBasket"}));
}

TEST(UnloadCADLibrary, WithoutALoadedLibraryOnlyRestoresPath) {
    RecordingOwner process;
    process.owner.loaded = false;
    process.owner.UnloadCADLibrary();
    EXPECT_EQ(process.log, Log{"RestorePath"});
}

TEST(UnloadCADLibrary, AFaultInCadStopStillUnloads) {
    RecordingOwner process;
    process.library.faultOn = {"CadStop"};
    EXPECT_NO_THROW(process.owner.UnloadCADLibrary());
    EXPECT_EQ(process.log, (Log{"RestorePath", "lib CadStop", "Pump", "UnloadCADBasket"}));
}

} // namespace
} // namespace qrv
