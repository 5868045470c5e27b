#pragma once
// The basket: the parts that the catalogue hands over for the CAD export library, and the
// folders the library works in.

#include <string>
#include <vector>

namespace qrv {

struct TBasketParameters {
    std::u16string FCADENASDir; // with a trailing backslash
    std::u16string FCADDataDir; // the library folder followed by "..\..\..\..\"
    std::u16string FCADLibDir;  // with a trailing backslash
    std::string FLanguage;      // 8-bit as read; "ENGB" when empty
    std::u16string FShopName;   // may be empty or blank

    // The five parallel lists; entry i of each belongs to part i.
    std::vector<std::u16string> FPartNoList;
    std::vector<std::u16string> FTypeList;
    std::vector<std::u16string> FID1List;
    std::vector<std::u16string> FID2List;
    std::vector<std::u16string> FCADList;
};

} // namespace qrv
