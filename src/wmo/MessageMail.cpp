#include "wmo/MessageMail.h"

#include <cstdio>

#include "wmo/TempMessage.h"

namespace velta {

namespace {

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// Control characters (CR and LF above all) would let a value start a header
// of its own.
std::string withoutControls(const std::string& s) {
    std::string out;
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) out += c;
    return out;
}

MailRecipient parseEntry(const std::string& entry) {
    MailRecipient r;
    const auto open = entry.find('<');
    const auto close = open == std::string::npos ? std::string::npos : entry.find('>', open + 1);
    if (close != std::string::npos) {
        r.name = trim(entry.substr(0, open));
        r.address = trim(entry.substr(open + 1, close - open - 1));
    } else {
        r.address = trim(entry);
    }
    if (r.name.empty()) r.name = r.address;
    return r;
}

std::string percentEncoded(const std::string& s) {
    std::string out;
    for (unsigned char c : s) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '.' || c == '_' || c == '~' || c == '@';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%%%02X", c);
            out += buf;
        }
    }
    return out;
}

std::string withCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string headingText(const TempMessage& message) {
    const MessagePart* a = message.findPart(0);
    if (!a || a->sections().empty()) return {};
    const MessageSection& first = a->sections().front();
    if (first.order() != SectionOrder::Heading || first.groups().empty()) return {};
    return first.groups().front().text();
}

// A display name as a quoted string when it holds anything beyond atoms.
std::string displayName(const std::string& name) {
    bool plain = true;
    for (unsigned char c : name)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ')) plain = false;
    if (plain) return name;
    std::string out = "\"";
    for (char c : name) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

}  // namespace

std::vector<MailRecipient> parseRecipients(const std::string& addresses) {
    std::vector<MailRecipient> out;
    const std::string text = withoutControls(addresses);
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto end = text.find_first_of(",;", start);
        const std::string entry = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        MailRecipient r = parseEntry(entry);
        if (!r.address.empty()) out.push_back(std::move(r));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return out;
}

MailMessage composeMail(const TempMessage& message, const std::string& addresses, bool appendNNNN) {
    MailMessage mail;
    mail.subject = withoutControls("VELTA generated WMO message " + headingText(message));
    for (const std::string& line : message.lines()) mail.body += line + "\n";
    if (appendNNNN) mail.body += "NNNN\n";
    mail.to = parseRecipients(addresses);
    return mail;
}

std::string mailtoUrl(const MailMessage& mail) {
    std::string url = "mailto:";
    for (std::size_t i = 0; i < mail.to.size(); ++i) {
        if (i) url += ',';
        url += percentEncoded(mail.to[i].address);
    }
    url += "?subject=" + percentEncoded(mail.subject);
    url += "&body=" + percentEncoded(withCrLf(mail.body));
    return url;
}

std::string rfc5322Text(const MailMessage& mail) {
    std::string to;
    for (std::size_t i = 0; i < mail.to.size(); ++i) {
        if (i) to += ",\r\n ";
        const MailRecipient& r = mail.to[i];
        if (r.name == r.address)
            to += "<" + r.address + ">";
        else
            to += displayName(r.name) + " <" + r.address + ">";
    }
    std::string out;
    out += "To: " + to + "\r\n";
    out += "Subject: " + withoutControls(mail.subject) + "\r\n";
    out += "MIME-Version: 1.0\r\n";
    out += "X-Unsent: 1\r\n";
    out += "Content-Type: text/plain; charset=US-ASCII\r\n";
    out += "Content-Transfer-Encoding: 7bit\r\n";
    out += "\r\n";
    out += withCrLf(mail.body);
    return out;
}

}  // namespace velta
