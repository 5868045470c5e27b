#include "cadlib/sub_dir.h"

namespace qrv {

TSubDirCaptions DefaultSubDirCaptions() {
    return {"~BasketName", "~CADFormatDesignation", "~FirstLetterOfSeries", "~Series",
            "~Teilenummer"};
}

TSubDirCaptions& SubDirCaptions() {
    static TSubDirCaptions captions = DefaultSubDirCaptions();
    return captions;
}

} // namespace qrv
