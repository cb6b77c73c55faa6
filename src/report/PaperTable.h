#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace ostrelin::report {

// Paper sizes the report engine knows, in the order of their numeric values 0 to 27.
enum class TQRPaperSize : std::uint8_t {
    Default,
    Letter,
    LetterSmall,
    Tabloid,
    Ledger,
    Legal,
    Statement,
    Executive,
    A3,
    A4,
    A4Small,
    A5,
    B4,
    B5,
    Folio,
    Quarto,
    qr10X14,
    qr11X17,
    Note,
    Env9,
    Env10,
    Env11,
    Env12,
    Env14,
    CSheet,
    DSheet,
    ESheet,
    Custom,
};

inline constexpr int kPaperSizeCount = 28;

// Paper sources, with the driver's source code of each in PaperSourceCode.
enum class TQRBin : std::uint8_t {
    First,
    Upper,
    Lower,
    Middle,
    Manual,
    Envelope,
    EnvManual,
    Auto,
    Tractor,
    SmallFormat,
    LargeFormat,
    LargeCapacity,
    Cassette,
    Last,
};

inline constexpr int kBinCount = 14;

// Portrait width and length of a sheet in millimetres.
struct PaperMillimetres {
    double Width;
    double Length;
};

// The table size of a paper; nothing for Default and Custom, whose size comes from elsewhere.
std::optional<PaperMillimetres> PaperDimensions(TQRPaperSize size);

// The driver's paper code of a paper size (Default 0, Custom 256).
std::int16_t PaperCode(TQRPaperSize size);

// The first paper size 1 to 27 whose driver code is `code`; nothing when none has it.
std::optional<TQRPaperSize> PaperSizeOfCode(int code);

// The driver's paper source code of a bin.
std::int16_t BinCode(TQRBin bin);

// The first bin whose driver code is `code`; nothing when none has it.
std::optional<TQRBin> BinOfCode(int code);

}  // namespace ostrelin::report
