// File names around imports and exports: classification by extension,
// opening streams in the right mode, and the scratch file.
#ifndef QZCORE_FILES_FILEMANAGER_H
#define QZCORE_FILES_FILEMANAGER_H

#include "qzCore/Export.h"

#include <fstream>
#include <string>

namespace qzCore {

/// The host's window kinds.
enum Window_Type : int { Window_Data = 2, Window_Graphics = 5 };

class QZCORE_EXPORT FileManager {
public:
    /// Name of the scratch file in the temporary directory.
    static const char* const Default_Scratch_File_Name;
    /// Separator between the temporary directory and the file name.
    static constexpr char Path_Separator = '/';

    FileManager() = default;

    /// Always true; the type is Window_Graphics for picture and DXF names
    /// (".bmp", ".tif", ".emf", ".wmf", ".ai", ".dxf"), Window_Data otherwise.
    bool determineInputFileType(const std::string& name, Window_Type& type) const;
    /// False for binary datasets and pictures (".OAF", ".oaf", ".GDF",
    /// ".gdf", ".wmf", ".emf", ".bmp" anywhere in the name).
    bool isTextFile(const std::string& name) const;
    /// True for ".DXF" or ".dxf" anywhere in the name.
    bool isDXFImport(const std::string& name) const;

    /// Opens for reading, in binary mode unless a text file.  @return
    ///   whether the stream is good.
    bool openInputFileStream(const std::string& name, std::ifstream& in) const;
    /// Opens for writing (truncating), in binary mode unless a text file.
    bool openOutputFileStream(const std::string& name, std::ofstream& out) const;

    /// Opens the scratch file (in TEMP, else TMP, else the working
    /// directory) for binary writing.
    void openScratchFile(std::ofstream& out);
    bool getScratchFileHandle(std::ofstream& out);
    /// Opens the scratch file written before for binary reading.
    bool getScratchFileHandle(std::ifstream& in) const;
    const std::string& getScratchFileName() const { return m_scratchFileName; }
    bool isScratchOpen() const { return m_scratchOpen; }

private:
    bool m_scratchOpen = false;
    std::string m_scratchFileName;
};

}  // namespace qzCore

#endif  // QZCORE_FILES_FILEMANAGER_H
