// Messages to the user.  The library has no user interface and writes to
// no standard stream itself: messages, yes/no questions, one-line warnings
// and progress lines go to a MessageHandler that the host installs.
// Without one, notify writes "caption: text" to the error's own stream
// (standard error for the ErrorManager), query answers yes, and warnings
// and progress lines go to standard error as they are.
#ifndef QZCORE_SHARED_KRTERROR_H
#define QZCORE_SHARED_KRTERROR_H

#include "qzCore/Export.h"

#include <iosfwd>
#include <map>
#include <memory>
#include <string>

namespace qzCore {

/// What a host implements to show messages and ask questions.
class QZCORE_EXPORT MessageHandler {
public:
    virtual ~MessageHandler() = default;
    /// Shows a message with a caption.
    virtual void notify(const std::string& caption, const std::string& text) = 0;
    /// Asks a yes/no question; 1 means yes, 0 no.
    virtual int query(const std::string& caption, const std::string& text) = 0;
    /// A one-line warning or progress line, with its line end
    /// ("warning : no data to analyse.\n", a fitting run's "it <5> cost
    /// <0.1>\n").  By default written to standard error as it is.
    virtual void warning(const std::string& line);
};

/// Sends a warning or progress line to the installed handler (standard
/// error without one): the library's only way to the standard streams.
QZCORE_EXPORT void reportWarning(const std::string& line);

/// Installs the process-wide handler (not owned; null restores the default)
/// and returns the one it replaces.
QZCORE_EXPORT MessageHandler* installMessageHandler(MessageHandler* handler);
/// The installed handler, or null for the default behaviour.
QZCORE_EXPORT MessageHandler* currentMessageHandler();

/// Installs a handler for the lifetime of this object, then restores the
/// previous one.
class QZCORE_EXPORT ScopedMessageHandler {
public:
    explicit ScopedMessageHandler(MessageHandler* handler)
        : m_previous(installMessageHandler(handler)) {}
    ~ScopedMessageHandler() { installMessageHandler(m_previous); }
    ScopedMessageHandler(const ScopedMessageHandler&) = delete;
    ScopedMessageHandler& operator=(const ScopedMessageHandler&) = delete;

private:
    MessageHandler* m_previous;
};

/// Sends messages to the installed handler, or to its stream.
class QZCORE_EXPORT krtError {
public:
    /// @param out the stream of the default behaviour; must outlive this object.
    explicit krtError(std::ostream& out);
    virtual ~krtError() = default;
    krtError(const krtError&) = default;
    krtError& operator=(const krtError&) = delete;

    virtual void notify(const char* caption, const char* text);
    virtual void notify(const std::string& caption, const char* text);
    /// 1 for yes, 0 for no.
    virtual int query(const char* caption, const char* text);
    virtual int query(const std::string& caption, const char* text);

protected:
    std::ostream& stream() const { return m_out; }

private:
    std::ostream& m_out;
};

/// Two tables of messages (a primary and a secondary one) keyed by code.
template <typename Code>
class krtErrorTable : public krtError {
public:
    krtErrorTable(Code value, std::ostream& out) : krtError(out), m_value(value) {}
    ~krtErrorTable() override = default;

    /// Enters or replaces the text of `code` in the primary (flag true) or
    /// secondary table.
    bool registerError(Code code, const char* text, bool primary) {
        return registerError(code, std::string(text ? text : ""), primary);
    }
    bool registerError(Code code, const std::string& text, bool primary) {
        auto& table = primary ? m_primary : m_secondary;
        if (!table) table = std::make_unique<std::map<Code, std::string>>();
        (*table)[code] = text;
        return true;
    }

    virtual void tableNotify(Code, const char*, const char*) {}
    virtual void tableNotify(Code, const std::string&, const char*) {}
    virtual void tableNotify(Code, const std::string&, const std::string&) {}
    /// Shows `text`, a line feed and the primary message of `code` ("Unknown
    /// error" when it has none) with the caption.  Returns 0.
    virtual int tableQuery(Code code, const char* text, const char* caption) {
        return tableQuery(code, std::string(text ? text : ""), caption);
    }
    virtual int tableQuery(Code code, const std::string& text, const char* caption) {
        std::string message;
        if (!retrieveMessage(code, message, true)) message = "Unknown error";
        const std::string full = text + "\n" + message;
        notify(caption, full.c_str());
        return 0;
    }

    Code getTableValue() const { return m_value; }

protected:
    /// The text of `code` in the chosen table; false when absent.
    bool retrieveMessage(Code code, std::string& text, bool primary) const {
        const auto& table = primary ? m_primary : m_secondary;
        if (!table) return false;
        const auto it = table->find(code);
        if (it == table->end()) return false;
        text = it->second;
        return true;
    }

private:
    Code m_value;
    std::unique_ptr<std::map<Code, std::string>> m_primary;
    std::unique_ptr<std::map<Code, std::string>> m_secondary;
};

}  // namespace qzCore

#endif  // QZCORE_SHARED_KRTERROR_H
