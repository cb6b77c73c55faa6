#pragma once

namespace ostrelin::report {

// What the engine needs to know about the screen and the locale when it creates a report: the
// screen's pixels per inch (report surfaces, bands and elements have bounds in screen pixels) and
// whether the locale measures in U.S. units (new lengths then read in inches, new pages are
// Letter).
struct DisplayMetrics {
    int PixelsPerInch = 96;
    bool UsMeasurement = false;
};

}  // namespace ostrelin::report
