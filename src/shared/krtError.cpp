#include "qzCore/shared/krtError.h"

#include <iostream>

namespace qzCore {

namespace {
MessageHandler* g_handler = nullptr;
}

MessageHandler* installMessageHandler(MessageHandler* handler) {
    MessageHandler* previous = g_handler;
    g_handler = handler;
    return previous;
}

MessageHandler* currentMessageHandler() { return g_handler; }

void MessageHandler::warning(const std::string& line) { std::cerr << line << std::flush; }

void reportWarning(const std::string& line) {
    if (g_handler) {
        g_handler->warning(line);
    } else {
        std::cerr << line << std::flush;
    }
}

krtError::krtError(std::ostream& out) : m_out(out) {}

void krtError::notify(const char* caption, const char* text) {
    const std::string c = caption ? caption : "";
    const std::string t = text ? text : "";
    if (g_handler) {
        g_handler->notify(c, t);
        return;
    }
    m_out << c << ": " << t << '\n';
    m_out.flush();
}

void krtError::notify(const std::string& caption, const char* text) { notify(caption.c_str(), text); }

int krtError::query(const char* caption, const char* text) {
    const std::string c = caption ? caption : "";
    const std::string t = text ? text : "";
    if (g_handler) return g_handler->query(c, t) ? 1 : 0;
    m_out << c << ": " << t << " [yes]\n";
    m_out.flush();
    return 1;
}

int krtError::query(const std::string& caption, const char* text) { return query(caption.c_str(), text); }

}  // namespace qzCore
