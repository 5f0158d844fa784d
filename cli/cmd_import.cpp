// pelorn-cli import: a map made from a PNG image.
#include <iostream>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/options.h"
#include "files/map_file.h"
#include "files/png_file.h"
#include "map/map_grid.h"

namespace pelorn::cli {

namespace {
constexpr const char* kCommand = "import";
}  // namespace

void printImportHelp(std::ostream& out) {
    out << "pelorn-cli import IMAGE.png --name NAME\n"
           "  Makes a map from a PNG image and saves it as NAME.map in the current\n"
           "  folder. An image from 'pelorn-cli export --indexed' gives the exported\n"
           "  map back exactly. Any other PNG (colour, grey, with or without alpha,\n"
           "  which is ignored) is read by colour: each pixel becomes the legend\n"
           "  terrain of the nearest colour, and the number of pixels that matched no\n"
           "  terrain colour exactly is printed. Terrains that share a colour read\n"
           "  back as the lowest code (forests as plains and hills); the darker quad\n"
           "  frames of \"Save Bitmap\" pictures are recognised.\n"
           "  The image must be a whole number of quads: width and height multiples\n"
           "  of 100 pixels, each side 1 to 100 quads, at most 1024 quads in all.\n"
           "  --name NAME  map name: the stem of the file written and its name line\n";
}

int runImport(const Arguments& args) {
    std::optional<std::string> imagePath;
    std::optional<std::string> name;
    const Stop stop = readOptions(kCommand, args, {}, {"--name"}, Operands::kFiles,
                                  [&](const std::string& option, const std::string& value) -> Stop {
                                      if (option == "--name") {
                                          if (const Stop refused = refuseUnsafeName(kCommand, option, value))
                                              return refused;
                                          name = value;
                                      } else {
                                          if (imagePath) return usageError(kCommand, "one image only");
                                          imagePath = value;
                                      }
                                      return std::nullopt;
                                  });
    if (stop) return *stop;
    if (!imagePath) return usageError(kCommand, "an image file is required");
    if (const auto refused = refuseDevicePath(kCommand, "image", *imagePath)) return *refused;
    if (const Stop missing = requireOption(kCommand, "--name", name.has_value())) return *missing;

    Map map;
    const PngImport image = loadMapPngFile(map, *imagePath);
    if (!image.ok) return reportCannotRead(kCommand, *imagePath, image.error);
    std::cout << "read " << *imagePath << ": " << image.width << "x" << image.height << " pixels, " << map.quadCountX
              << "x" << map.quadCountY << " quads, ";
    if (image.byCode) std::cout << "by terrain code\n";
    else std::cout << "by colour; pixels of no terrain colour: " << image.inexactPixels << "\n";

    map.currentMapName = *name;
    const bool saved = saveMapFile(map);
    return reportWrite(kCommand, map.currentMapName + ".map", saved);
}

}  // namespace pelorn::cli
