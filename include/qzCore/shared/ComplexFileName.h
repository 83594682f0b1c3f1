// A file name and its parts.  The directory separator is '/'.
#ifndef QZCORE_SHARED_COMPLEXFILENAME_H
#define QZCORE_SHARED_COMPLEXFILENAME_H

#include "qzCore/Export.h"

#include <string>

namespace qzCore {

class QZCORE_EXPORT ComplexFileName {
public:
    ComplexFileName() = default;
    explicit ComplexFileName(const std::string& name) { setName(name); }

    void setName(const std::string& name) { m_name = name; }
    /// The name as given.
    const std::string& getName() const { return m_name; }
    /// The last component without its extension: "data/site 4.txt" gives
    /// "site 4"; ".qztemp" gives ".qztemp" (a leading dot starts no extension).
    std::string getShortName() const;
    /// The last component: "data/site 4.txt" gives "site 4.txt".
    std::string getFileName() const;
    /// The extension without its dot, as written: "a/b.TXT" gives "TXT";
    /// empty when there is none.
    std::string getExtension() const;
    /// Everything before the last component, with its trailing '/'; empty
    /// when the name has no directory.
    std::string getDirectory() const;

    static constexpr char Separator = '/';

    friend bool operator==(const ComplexFileName& a, const ComplexFileName& b) {
        return a.m_name == b.m_name;
    }

private:
    std::string m_name;
};

}  // namespace qzCore

#endif  // QZCORE_SHARED_COMPLEXFILENAME_H
