#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ostrelin::app {

// While a job prints, its file stands under a claim name: ".<name>.printing-<attempt>", hidden
// and outside the spool pattern, where the attempt counts the runs that ended while printing it.
// A name too long for that within the file system's limit is claimed under a shortened stem,
// ".<start>~<hash><extension>.printing-<attempt>", and its whole name is kept beside it in the
// name note ".<stem>.name" for as long as the claim stands.

// The claim name of `diskName` for its `attempt`th run.
std::string ClaimName(std::string_view diskName, int attempt);

// The stem a claim name is made of: the disk name itself, or its shortened form.
std::string ClaimStem(std::string_view diskName);

// True when the claim stem is not the disk name, so that a name note keeps the whole name.
bool ClaimNeedsNameNote(std::string_view diskName);

// The file beside a shortened claim that holds the whole disk name.
std::string NameNoteName(std::string_view stem);

// True when `stem` has the shape of a shortened one, so that a name note may stand beside it.
bool IsShortenedStem(std::string_view stem);

struct ParsedClaim {
    std::string Stem;
    int Attempt = 0;
};

// The stem and the attempt of a claim name; nothing for other names.
std::optional<ParsedClaim> ParseClaimName(std::string_view name);

}  // namespace ostrelin::app
