#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ostrelin::tools::pcl {

// The raster picture that a PCL print stream draws, as plain uncompressed rows top to bottom.
struct PclRaster {
    int Resolution = 75;            // dots per inch of the raster (ESC *t#R)
    std::vector<std::string> Rows;  // one byte per 8 pixels, bit 7 leftmost; empty = white row
};

// Reads the raster graphics of a PCL stream as printer drivers write it (for example
// Ghostscript's LaserJet devices): row transfers ESC *b#W in compression modes 0 to 3, vertical
// moves (ESC *b#Y, ESC *p#Y, relative or absolute, in the unit ESC &u#D sets) which become white
// rows, and page ends (form feed, reset) after which the next page's rows follow below. Other
// commands are passed over, with their data. Fails with ostrelin::Error for what it cannot
// place: a compression mode above 3, a move upwards over rows already drawn, or raster graphics
// that start away from the left edge.
PclRaster ReadPclRaster(std::string_view pcl);

}  // namespace ostrelin::tools::pcl
