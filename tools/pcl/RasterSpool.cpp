#include "tools/pcl/RasterSpool.h"

#include "platform/Error.h"

namespace ostrelin::tools::pcl {
namespace {

constexpr std::size_t kMaxRowBytes = 65535;

void AppendEscape(std::string& spool, const std::string& afterEsc) {
    spool += '\x03';
    spool += static_cast<char>(afterEsc.size() + 1);
    spool += '\x1b';
    spool += afterEsc;
}

void AppendData(std::string& spool, std::string_view data) {
    spool += '\x02';
    spool += static_cast<char>(data.size() & 0xff);
    spool += static_cast<char>(data.size() >> 8);
    spool += data;
}

}  // namespace

std::string WriteRasterSpool(std::string_view descriptionCp852, int resolution,
                             const std::vector<std::string>& rows) {
    if (resolution != 75 && resolution != 150) {
        throw Error("Rastrová úloha smí mít rozlišení jen 75 nebo 150 dpi, ne " +
                    std::to_string(resolution) + ".");
    }
    std::string spool(descriptionCp852);
    spool += "\r\n";
    spool += std::string(2, '\0');
    AppendEscape(spool, "*t" + std::to_string(resolution) + "R");
    for (const std::string& row : rows) {
        if (row.size() > kMaxRowBytes) {
            throw Error("Rastrový řádek o " + std::to_string(row.size()) +
                        " bajtech se nevejde do datového záznamu.");
        }
        AppendEscape(spool, "*b" + std::to_string(row.size()) + "W");
        AppendData(spool, row);
    }
    return spool;
}

}  // namespace ostrelin::tools::pcl
