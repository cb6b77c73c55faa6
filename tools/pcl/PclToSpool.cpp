// ostrelin-pcl2qsf: turns the raster graphics of a PCL print file (for example Ghostscript's
// ljet4 or laserjet output) into a raster spool file, the way the calculation program hands
// cutting plans to the spooler.
//
//   ostrelin-pcl2qsf [--description TEXT] INPUT.pcl OUTPUT.QSF
//
// TEXT is UTF-8 and goes into the file in code page 852.

#include <iconv.h>

#include <cerrno>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Error.h"
#include "tools/pcl/PclRaster.h"
#include "tools/pcl/RasterSpool.h"

namespace {

using ostrelin::Error;

std::string ToCp852(const std::string& utf8) {
    const std::unique_ptr<void, int (*)(iconv_t)> converter(iconv_open("CP852", "UTF-8"),
                                                            iconv_close);
    if (converter.get() == reinterpret_cast<iconv_t>(-1)) {
        throw Error("Knihovna iconv neumí převádět do kódové stránky 852.");
    }
    std::string in = utf8;
    std::string out(utf8.size(), '\0');
    char* inAt = in.data();
    char* outAt = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    if (iconv(converter.get(), &inAt, &inLeft, &outAt, &outLeft) == static_cast<std::size_t>(-1)) {
        throw Error("Popis nelze zapsat v kódové stránce 852.");
    }
    out.resize(out.size() - outLeft);
    return out;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw Error("Soubor " + path + " nelze přečíst.");
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw Error("Soubor " + path + " nelze zapsat.");
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string description = "Nářezový plán";
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--description" && i + 1 < args.size()) {
            description = args[++i];
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2) {
        std::cerr << "použití: ostrelin-pcl2qsf [--description POPIS] VSTUP.pcl VÝSTUP.QSF\n";
        return 2;
    }
    try {
        const ostrelin::tools::pcl::PclRaster raster =
            ostrelin::tools::pcl::ReadPclRaster(ReadWholeFile(files[0]));
        WriteWholeFile(files[1], ostrelin::tools::pcl::WriteRasterSpool(
                                     ToCp852(description), raster.Resolution, raster.Rows));
    } catch (const Error& error) {
        std::cerr << "ostrelin-pcl2qsf: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
