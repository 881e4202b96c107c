// The message as an e-mail for the user's mail client: subject, body and the
// recipients of TempEmailAddress, as a mailto: URL or as a complete message
// text (RFC 5322) that a mail client can open.
#pragma once

#include <string>
#include <vector>

namespace velta {

class TempMessage;

struct MailRecipient {
    std::string name;
    std::string address;
    friend bool operator==(const MailRecipient&, const MailRecipient&) = default;
};

struct MailMessage {
    std::string subject;
    std::string body;  // lines ended by "\n"
    std::vector<MailRecipient> to;
};

// Splits at every "," and ";". An entry is an address, or a name followed by
// the address in angle brackets; both are trimmed of blanks, and an entry
// without a name is named by its address. Empty entries are dropped, and so
// are line breaks and other control characters, which have no place in a
// header.
std::vector<MailRecipient> parseRecipients(const std::string& addresses);

// Subject "VELTA generated WMO message " and the heading group's text; body
// the message lines, each followed by "\n", then "NNNN\n" with appendNNNN.
MailMessage composeMail(const TempMessage& message, const std::string& addresses, bool appendNNNN);

// mailto:a@b,c@d?subject=...&body=... with every reserved byte percent-encoded
// and the body's line ends as %0D%0A.
std::string mailtoUrl(const MailMessage& mail);

// To and Subject headers, a plain-text MIME header, a blank line and the body,
// all lines ended by CR LF.
std::string rfc5322Text(const MailMessage& mail);

}  // namespace velta
