// Writes each text sample given on the command line as a binary dataset
// file into the directory given last: seeds for the binary reader.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "FuzzSupport.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: fuzz_binary_seeds SAMPLE... DIRECTORY\n";
        return 2;
    }
    const std::string dir = argv[argc - 1];
    for (int i = 1; i < argc - 1; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        qzfuzz::Session s;
        qzCore::qzIEColumnOptions o;
        o.setDefaultColumnOptions();
        qzCore::guessFileLayout(argv[i], content, qzCore::LayoutChoices()).applyTo(o);
        const unsigned char id = s.read(content, o);
        if (id == 0) continue;
        qzCore::qzIEColumnOptions binary;
        binary.setIEOption(qzCore::qzIEColumnOptions::IE_Binary_File);
        std::ofstream out(dir + "/seed" + std::to_string(i) + ".gdf", std::ios::binary);
        out << s.write(id, binary);
    }
    return 0;
}
