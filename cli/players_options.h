// The players-mode options that startlocations, generate and info share, and
// how the commands report a players-mode placement.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

#include "cli/options.h"
#include "startlocations/players.h"

namespace pelorn::cli {

// Written, but the map holds fewer start locations than --players asked for.
constexpr int kExitFewerStarts = 3;

// What the land value of a start is measured with.
struct LandOptionWords {
    std::optional<std::int32_t> radius;
    std::optional<std::string> weightsPath;
};

struct PlayersOptionWords {
    std::optional<std::int32_t> players;
    std::optional<std::int32_t> minDistance;  // absent: the automatic spacing
    std::optional<std::int32_t> maxSpread;
    std::optional<std::int32_t> room;  // absent: max(3, spacing / 2)
    LandOptionWords land;
};

// "--radius", "--weights"; "--players", "--min-distance", "--max-spread",
// "--room" and those two.
const OptionNames& landOptionNames();
const OptionNames& playersOptionNames();
bool isPlayersOption(const std::string& option);  // any of the six

// Takes one of the six options with its value; refuses a value that is no
// whole number or no readable path.
Stop takePlayersOption(const char* command, const std::string& option, const std::string& value,
                       PlayersOptionWords& words);

// The radius and weights of the words (default 3 and the built-in table):
// a radius out of range is refused as a bad argument, a weights file that
// cannot be read or holds no table as an unreadable file.
Stop landOptionsFrom(const char* command, const LandOptionWords& words, PlayersOptions& options);
// The other five without --players are refused.
Stop refuseWithoutPlayers(const char* command, const PlayersOptionWords& words);
// The whole set, every value in range (a missing --players is out of range).
Stop playersOptionsFrom(const char* command, const PlayersOptionWords& words, PlayersOptions& options);

// "placed 8 starts, home 1%, room 4%" on stdout; when the map held fewer
// than asked, or a spread is above --max-spread, a line on stderr saying so.
// The plan holds no refused options.
void reportPlayersPlan(const char* command, const PlayersPlan& plan, const PlayersOptions& options);
// The exit status after the map was written with `written`: 3 when the map
// holds fewer starts than asked for or a spread is above --max-spread.
int statusAfterPlacing(const PlayersPlan& plan, int written);

}  // namespace pelorn::cli
