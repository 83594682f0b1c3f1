#include "qzCore/files/FileManager.h"

#include <cstdlib>
#include <initializer_list>

namespace qzCore {

namespace {

bool containsAny(const std::string& name, std::initializer_list<const char*> parts) {
    for (const char* p : parts) {
        if (name.find(p) != std::string::npos) return true;
    }
    return false;
}

}  // namespace

const char* const FileManager::Default_Scratch_File_Name = ".qztemp";

bool FileManager::determineInputFileType(const std::string& name, Window_Type& type) const {
    // Data names win over picture names when a name holds both.
    if (containsAny(name, {".oaf", "*.OAF", ".txt", ".gdf", ".TXT", ".GDF"})) {
        type = Window_Data;
    } else if (containsAny(name, {".bmp", ".tif", ".emf", ".wmf", ".ai", ".dxf"})) {
        type = Window_Graphics;
    } else {
        type = Window_Data;
    }
    return true;
}

bool FileManager::isTextFile(const std::string& name) const {
    return !containsAny(name, {".OAF", ".oaf", ".GDF", ".gdf", ".wmf", ".emf", ".bmp"});
}

bool FileManager::isDXFImport(const std::string& name) const { return containsAny(name, {".DXF", ".dxf"}); }

bool FileManager::openInputFileStream(const std::string& name, std::ifstream& in) const {
    std::ios::openmode mode = std::ios::in;
    if (!isTextFile(name)) mode |= std::ios::binary;
    in.open(name, mode);
    return in.good();
}

bool FileManager::openOutputFileStream(const std::string& name, std::ofstream& out) const {
    std::ios::openmode mode = std::ios::out | std::ios::trunc;
    if (!isTextFile(name)) mode |= std::ios::binary;
    out.open(name, mode);
    return out.good();
}

void FileManager::openScratchFile(std::ofstream& out) {
    const char* dir = std::getenv("TEMP");
    if (!dir) dir = std::getenv("TMP");
    std::string path = dir ? dir : "";
    if (!path.empty() && path.back() != Path_Separator) path += Path_Separator;
    m_scratchFileName = path + Default_Scratch_File_Name;
    out.open(m_scratchFileName, std::ios::out | std::ios::trunc | std::ios::binary);
    m_scratchOpen = out.is_open() && out.good();
}

bool FileManager::getScratchFileHandle(std::ofstream& out) {
    openScratchFile(out);
    return m_scratchOpen;
}

bool FileManager::getScratchFileHandle(std::ifstream& in) const {
    if (!m_scratchOpen || m_scratchFileName.empty()) return false;
    try {
        in.open(m_scratchFileName, std::ios::in | std::ios::binary);
        return in.good();
    } catch (...) {
        return false;
    }
}

}  // namespace qzCore
