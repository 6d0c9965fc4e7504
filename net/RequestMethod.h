#pragma once

namespace gearbay {

// The request kinds the download server understands; any unknown code travels as OtherReqire.
enum RequestMethod {
    DownloadMaterial = 1,
    DownloadManageTool = 2,
    DownloadSubTool = 3,
    DownloadProgress = 4,
    CancelDownloadSubTool = 5,
    OtherReqire = 6,
};

} // namespace gearbay
