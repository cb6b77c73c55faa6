#pragma once

#include <cstdint>
#include <string>

namespace ostrelin::print {

// Orientation modes of a print job.
inline constexpr std::int32_t kOrientationPortrait = 0;
inline constexpr std::int32_t kOrientationLandscape = 1;
inline constexpr std::int32_t kOrientationAutomatic = 2;

// The settings of one print job, filled by a job's decoder and read by the output that prints it.
struct TPrintJob {
    std::string Title;  // becomes the document name in the printing system
    bool StretchImage = false;
    bool CenterImage = false;
    std::int32_t OrientationMode = kOrientationPortrait;
    std::int32_t PrinterIndex = 0;  // position among the installed printers; -1 the default one
    std::int32_t Copies = 0;
    std::int32_t FirstPage = 0;  // 0 or less: from the first page
    std::int32_t LastPage = 0;   // 0 or less: to the last page
};

}  // namespace ostrelin::print
