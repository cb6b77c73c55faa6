#include "tools/pcl/PclCompression.h"

#include <algorithm>
#include <cstddef>

namespace ostrelin::tools::pcl {
namespace {

unsigned ByteAt(std::string_view data, std::size_t i) {
    return static_cast<unsigned char>(data[i]);
}

}  // namespace

std::string ExpandRunLength(std::string_view data) {
    std::string row;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        row.append(ByteAt(data, i) + 1, data[i + 1]);
    }
    return row;
}

std::string ExpandPackBits(std::string_view data) {
    std::string row;
    std::size_t i = 0;
    while (i < data.size()) {
        const unsigned control = ByteAt(data, i++);
        if (control < 128) {
            const std::size_t count = std::min<std::size_t>(control + 1, data.size() - i);
            row.append(data.substr(i, count));
            i += count;
        } else if (control > 128 && i < data.size()) {
            row.append(257 - control, data[i++]);
        }
    }
    return row;
}

std::string ApplyDeltaRow(std::string_view data, std::string seed) {
    std::size_t position = 0;
    std::size_t i = 0;
    while (i < data.size()) {
        const unsigned command = ByteAt(data, i++);
        const std::size_t count = (command >> 5) + 1;
        std::size_t offset = command & 0x1f;
        if (offset == 31) {
            unsigned more = 255;
            while (more == 255 && i < data.size()) {
                more = ByteAt(data, i++);
                offset += more;
            }
        }
        position += offset;
        const std::size_t available = std::min(count, data.size() - i);
        if (seed.size() < position + available) {
            seed.resize(position + available, '\0');
        }
        seed.replace(position, available, data.substr(i, available));
        i += available;
        position += available;
    }
    return seed;
}

}  // namespace ostrelin::tools::pcl
