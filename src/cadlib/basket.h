#pragma once
// The basket: the parts that the catalogue hands over for the CAD export library, and the
// folders the library works in.

#include <string>
#include <vector>

namespace qrv {

struct BasketParameters {
    std::u16string CADENASDir; // FCADENASDir, with a trailing backslash
    std::u16string CADDataDir; // FCADDataDir: library folder followed by "..\..\..\..\"
    std::u16string CADLibDir;  // FCADLibDir, with a trailing backslash
    std::string Language;      // FLanguage, 8-bit as read; "ENGB" when empty
    std::u16string ShopName;   // FShopName, may be empty or blank

    // The five parallel lists; entry i of each belongs to part i.
    std::vector<std::u16string> PartNoList;
    std::vector<std::u16string> TypeList;
    std::vector<std::u16string> ID1List;
    std::vector<std::u16string> ID2List;
    std::vector<std::u16string> CADList;
};

} // namespace qrv
