#include "tools/pcl/PclRaster.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/Error.h"
#include "tools/pcl/PclCompression.h"

namespace ostrelin::tools::pcl {
namespace {

constexpr char kEsc = '\x1b';
constexpr char kFormFeed = '\x0c';

// One command of a parameterised escape, e.g. "*b" with value 12 and final 'W' for ESC *b12W.
struct Command {
    char Family = 0;  // the character after ESC
    char Group = 0;   // the group character, 0 when the family has none here
    std::string Value;
    char Final = 0;  // upper case
};

double ValueOf(const Command& command) {
    return command.Value.empty() ? 0.0 : std::stod(command.Value);
}
bool IsRelative(const Command& command) {
    return !command.Value.empty() && (command.Value[0] == '+' || command.Value[0] == '-');
}

class RasterReader {
  public:
    explicit RasterReader(std::string_view pcl) : pcl_(pcl) {}

    PclRaster Read() {
        while (at_ < pcl_.size()) {
            const char c = pcl_[at_++];
            if (c == kFormFeed) {
                EndPage();
            } else if (c == kEsc && at_ < pcl_.size()) {
                ReadEscape();
            }
        }
        return std::move(raster_);
    }

  private:
    void ReadEscape() {
        const char family = pcl_[at_++];
        if (family < '!' || family > '/') {
            if (family == 'E') {
                EndPage();
            }
            return;
        }
        Command command{family, 0, {}, 0};
        if (at_ < pcl_.size() && pcl_[at_] >= '`' && pcl_[at_] <= '~') {
            command.Group = pcl_[at_++];
        }
        // Combined commands share family and group: ESC &l0l1E is ESC &l0L and ESC &l1E.
        while (at_ < pcl_.size()) {
            command.Value.clear();
            while (at_ < pcl_.size() && IsValueChar(pcl_[at_])) {
                command.Value += pcl_[at_++];
            }
            if (at_ >= pcl_.size()) {
                return;
            }
            const char final = pcl_[at_++];
            const bool last = final >= '@' && final <= '^';
            command.Final = last ? final : static_cast<char>(final - 32);
            Perform(command);
            if (last) {
                return;
            }
        }
    }

    static bool IsValueChar(char c) {
        return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
    }

    // Carries out one command; data that follows a W command is consumed here.
    void Perform(const Command& command) {
        const bool raster = command.Family == '*';
        const double value = ValueOf(command);
        std::string_view data;
        if (command.Final == 'W' || (raster && command.Group == 'b' && command.Final == 'V')) {
            const auto length = static_cast<std::size_t>(std::max(0.0, value));
            data = pcl_.substr(at_, length);
            at_ += data.size();
        }
        if (raster && command.Group == 'b') {
            if (command.Final == 'W') {
                TransferRow(data);
            } else if (command.Final == 'M') {
                mode_ = static_cast<int>(value);
                if (mode_ < 0 || mode_ > 3) {
                    throw Error("Režim komprese PCL " + command.Value + " není podporován.");
                }
            } else if (command.Final == 'Y') {
                row_ += static_cast<std::int64_t>(value);
                seed_.clear();
            }
        } else if (raster && command.Group == 't' && command.Final == 'R') {
            raster_.Resolution = static_cast<int>(value);
        } else if (raster && command.Group == 'r' && command.Final == 'A') {
            if (x_ != 0 && value == 1) {
                throw Error("Rastrová grafika, která nezačíná u levého okraje, není podporována.");
            }
            seed_.clear();
        } else if (raster && command.Group == 'p' && command.Final == 'X') {
            x_ = IsRelative(command) ? x_ + value : value;
        } else if (raster && command.Group == 'p' && command.Final == 'Y') {
            const std::int64_t rows = std::llround(value * raster_.Resolution / unitsPerInch_);
            row_ = IsRelative(command) ? row_ + rows : rows;
        } else if (command.Family == '&' && command.Group == 'u' && command.Final == 'D') {
            unitsPerInch_ = value;
        }
    }

    void TransferRow(std::string_view data) {
        std::string row;
        switch (mode_) {
            case 0:
                row = data;
                break;
            case 1:
                row = ExpandRunLength(data);
                break;
            case 2:
                row = ExpandPackBits(data);
                break;
            default:
                row = ApplyDeltaRow(data, seed_);
                break;
        }
        const std::int64_t index = pageTop_ + row_;
        if (index < static_cast<std::int64_t>(raster_.Rows.size())) {
            throw Error("Rastrový řádek se vrací nahoru přes už nakreslené řádky.");
        }
        raster_.Rows.resize(static_cast<std::size_t>(index));
        raster_.Rows.push_back(row);
        seed_ = std::move(row);
        ++row_;
    }

    void EndPage() {
        pageTop_ = static_cast<std::int64_t>(raster_.Rows.size());
        row_ = 0;
        x_ = 0;
        seed_.clear();
    }

    std::string_view pcl_;
    std::size_t at_ = 0;
    PclRaster raster_;
    int mode_ = 0;
    std::string seed_;
    double unitsPerInch_ = 300;
    double x_ = 0;
    std::int64_t row_ = 0;      // the next row's position on the page, in raster rows
    std::int64_t pageTop_ = 0;  // where the page's first row goes in the picture
};

}  // namespace

PclRaster ReadPclRaster(std::string_view pcl) {
    return RasterReader(pcl).Read();
}

}  // namespace ostrelin::tools::pcl
