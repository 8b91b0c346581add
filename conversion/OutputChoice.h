// Module state of the output folder choice.
#pragma once

#include <QString>

namespace fq::conversion {

// The folder that the output-folder browse dialog preselects: loaded from
// "LastFolderDot" at every click on the browse button and set to the folder
// chosen there.
extern QString LastFolderDotValue;

} // namespace fq::conversion
