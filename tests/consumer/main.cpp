#include <iostream>
#include <string>

#include <qzCore/qzCore.h>

int main() {
    qzCore::qzParser parser;
    int strike = 0, dip = 0;
    if (parser.ParseStrikeDip(strike, dip, "N0E", "30E") != 1) return 1;
    qzCore::MyMath math;
    math.computePole(strike, dip);
    std::cout << "pole " << strike << '/' << dip << '\n';
    // The headers' version and the linked library's are one number.
    std::cout << "version " << qzCore::Version << (std::string(qzCore::Version) == qzCore::libraryVersion() ? "" : " (library differs)") << '\n';
    return 0;
}
