#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ostrelin::tools::pcl {

// Wraps raster rows into a spool file as the calculation program writes one: the description
// line (code page 852) with CR LF, two gap bytes, the raster resolution escape (75 or 150 dpi),
// then for each row an escape ESC *b<length>W and a data record with the row's bytes. Fails with
// ostrelin::Error for another resolution or a row longer than a data record holds.
std::string WriteRasterSpool(std::string_view descriptionCp852, int resolution,
                             const std::vector<std::string>& rows);

}  // namespace ostrelin::tools::pcl
