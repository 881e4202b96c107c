#include "config/Registry.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <iterator>
#include <map>
#include <mutex>
#include <xercesc/dom/DOM.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/validators/DTD/DTDEntityDecl.hpp>
#include <xercesc/sax/EntityResolver.hpp>
#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/TransService.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/util/XMLUni.hpp>

#include "config/ConfigFiles.h"
#include "config/NumberText.h"
#include "config/OptionKind.h"

#if defined(__SANITIZE_ADDRESS__)
#define VELTA_LEAK_CHECKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELTA_LEAK_CHECKS 1
#endif
#endif

#ifdef VELTA_LEAK_CHECKS
// Xerces-C 3.2.4 loses the small entity declaration it creates for an external DTD subset
// (IGXMLScanner::scanDocTypeDecl), once per parsed file. It is not ours to free; keep the leak
// checker of sanitizer builds quiet about it.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:xercesc_3_2::IGXMLScanner::scanDocTypeDecl\n"
           "leak:xercesc_3_2::XMLScanner::scanProlog\n";
}
#endif

namespace velta {

namespace {

using namespace xercesc;
using XString = std::basic_string<XMLCh>;

// Documents nested deeper than this are not configuration files; the limit keeps the recursive
// parts of the XML library (cloning, writing) within the stack.
constexpr int kMaxDepth = 200;
// Entity references the parser expands at most, against "billion laughs" documents.
constexpr XMLSize_t kEntityExpansionLimit = 1000;
// The longest replacement text an entity may declare. With the reference limit
// above it bounds what entities can add to a document: at most 1000 x 4096
// characters (8 MB of the parser's UTF-16), however they nest.
constexpr XMLSize_t kEntityValueLimit = 4096;

// The parser's memory, all of it given back when the registry goes: the XML
// library loses a small declaration for every file with an external DTD, which
// would otherwise build up over the registries of a long-running program.
class ParserMemory : public MemoryManager {
public:
    ParserMemory() = default;
    ParserMemory(const ParserMemory&) = delete;
    ParserMemory& operator=(const ParserMemory&) = delete;
    ~ParserMemory() override {
        while (head_.next != &head_) release(head_.next);
    }
    MemoryManager* getExceptionMemoryManager() override { return XMLPlatformUtils::fgMemoryManager; }
    void* allocate(XMLSize_t size) override {
        auto* block = static_cast<Block*>(::operator new(sizeof(Block) + size));
        block->prev = &head_;
        block->next = head_.next;
        head_.next->prev = block;
        head_.next = block;
        return block + 1;
    }
    void deallocate(void* p) override {
        if (p) release(static_cast<Block*>(p) - 1);
    }

private:
    struct alignas(std::max_align_t) Block {
        Block* prev;
        Block* next;
    };
    static void release(Block* block) {
        block->prev->next = block->next;
        block->next->prev = block->prev;
        ::operator delete(block);
    }
    Block head_{&head_, &head_};
};

// Thrown by the parser below out of its DTD scan; read() catches it with the
// XML library's own exceptions.
struct EntityTooLong {};

// The DOM parser, refusing any entity whose replacement text is longer than
// kEntityValueLimit as soon as it is declared, before anything is expanded.
class BoundedDOMParser : public XercesDOMParser {
public:
    explicit BoundedDOMParser(MemoryManager* memory) : XercesDOMParser(nullptr, memory) {}
    void entityDecl(const DTDEntityDecl& decl, const bool isPEDecl, const bool isIgnored) override {
        if (decl.getValueLen() > kEntityValueLimit) throw EntityTooLong{};
        XercesDOMParser::entityDecl(decl, isPEDecl, isIgnored);
    }
};

// XMLPlatformUtils::Initialize and Terminate count their calls but are not thread-safe.
std::mutex& xercesMutex() {
    static std::mutex m;
    return m;
}

std::string toUtf8(const XMLCh* text) {
    if (!text || !*text) return {};
    TranscodeToStr out(text, "UTF-8");
    return std::string(reinterpret_cast<const char*>(out.str()), out.length());
}

XString fromUtf8(const std::string& text) {
    if (text.empty()) return {};
    TranscodeFromStr in(reinterpret_cast<const XMLByte*>(text.data()), text.size(), "UTF-8");
    return XString(in.str(), in.length());
}

bool named(const DOMNode* node, const XMLCh* name) {
    return node->getNodeType() == DOMNode::ELEMENT_NODE && XMLString::equals(node->getNodeName(), name);
}

// The elements named `name` in `root` and its descendants, depth first in document order.
std::vector<DOMElement*> elementsNamed(DOMNode* root, const XMLCh* name) {
    std::vector<DOMElement*> found;
    DOMNode* node = root;
    while (node) {
        if (named(node, name)) found.push_back(static_cast<DOMElement*>(node));
        if (DOMNode* child = node->getFirstChild()) {
            node = child;
            continue;
        }
        while (node != root && !node->getNextSibling()) node = node->getParentNode();
        if (node == root) break;
        node = node->getNextSibling();
    }
    return found;
}

// The closest element of that name around node, or null.
DOMNode* enclosing(DOMNode* node, const XMLCh* name) {
    for (DOMNode* parent = node->getParentNode(); parent; parent = parent->getParentNode()) {
        if (named(parent, name)) return parent;
    }
    return nullptr;
}

DOMElement* firstElementNamed(DOMNode* root, const XMLCh* name) {
    std::vector<DOMElement*> all = elementsNamed(root, name);
    return all.empty() ? nullptr : all.front();
}

int depthOf(DOMNode* root) {
    int depth = 0;
    int deepest = 0;
    DOMNode* node = root;
    while (node) {
        if (DOMNode* child = node->getFirstChild()) {
            node = child;
            deepest = std::max(deepest, ++depth);
            continue;
        }
        while (node != root && !node->getNextSibling()) {
            node = node->getParentNode();
            --depth;
        }
        if (node == root) break;
        node = node->getNextSibling();
    }
    return deepest;
}

std::string trimmedValue(const DOMNode* node) { return trimConfigText(toUtf8(node->getNodeValue())); }

std::string attribute(const DOMElement* element, const XMLCh* name) {
    return trimConfigText(toUtf8(element->getAttribute(name)));
}

// Counts the parser's errors instead of throwing.
class CountingErrorHandler : public ErrorHandler {
public:
    void warning(const SAXParseException&) override {}
    void error(const SAXParseException&) override { ++count; }
    void fatalError(const SAXParseException&) override { ++count; }
    void resetErrors() override { count = 0; }
    int count = 0;
};

// The configuration file may load "velta.dtd" from its own directory and nothing else: every
// other external entity (files, URLs) reads as empty.
class LocalDtdResolver : public EntityResolver {
public:
    LocalDtdResolver(ConfigFiles& files, std::string dtdPath) : files_(files), dtdPath_(std::move(dtdPath)) {}

    InputSource* resolveEntity(const XMLCh* const /*publicId*/, const XMLCh* const systemId) override {
        static const XMLCh kDtd[] = u"velta.dtd";
        static const XMLCh kEmpty[] = u"empty";
        if (systemId && XMLString::equals(systemId, kDtd)) {
            if (!loaded_) {
                loaded_ = true;
                dtdMissing_ = !files_.read(dtdPath_, dtd_);
            }
            if (!dtdMissing_) {
                return new MemBufInputSource(reinterpret_cast<const XMLByte*>(dtd_.data()), dtd_.size(),
                                             kDtd);
            }
        }
        static const XMLByte nothing[1] = {0};
        return new MemBufInputSource(nothing, 0, kEmpty);
    }

    bool dtdMissing() const { return dtdMissing_; }

private:
    ConfigFiles& files_;
    std::string dtdPath_;
    std::string dtd_;
    bool loaded_ = false;
    bool dtdMissing_ = false;
};

struct Entry {
    OptionKind kind = OptionKind::Numeric;
    DOMElement* element = nullptr;
    std::string setName;
    std::string optionName;
    std::string current;
    std::string defaultText;
    bool immediate = false;
    // The element had a type, so its texts were read (an untyped option is left as it is).
    bool typed = false;
};

using SetEntries = std::map<std::string, Entry>;

const XMLCh kVeltaConfig[] = u"veltaConfig";
const XMLCh kActive[] = u"active";
const XMLCh kSet[] = u"set";
const XMLCh kOption[] = u"option";
const XMLCh kName[] = u"name";
const XMLCh kType[] = u"type";
const XMLCh kImmediate[] = u"immediate";
const XMLCh kCurrent[] = u"current";
const XMLCh kDefault[] = u"default";
const XMLCh kLS[] = u"LS";

const XMLCh* typeName(OptionKind kind) {
    switch (kind) {
        case OptionKind::Numeric:
            return u"numeric";
        case OptionKind::Bool:
            return u"bool";
        case OptionKind::String:
            break;
    }
    return u"string";
}

}  // namespace

struct Registry::Impl {
    Impl(std::string p, ConfigFiles& f)
        : path(std::move(p)), files(f), resolver(f, (std::filesystem::path(path).parent_path() / "velta.dtd").string()) {}

    ~Impl() {
        try {
            parser.reset();
        } catch (...) {
        }
        if (initialised) {
            std::lock_guard<std::mutex> lock(xercesMutex());
            try {
                XMLPlatformUtils::Terminate();
            } catch (...) {
            }
        }
    }

    // Reads and parses the file.
    void read();
    void readSet(DOMElement* setElement, const std::string& setName);
    void readOption(DOMElement* optionElement, Entry& entry);
    SetEntries* activeSet();
    void createEntry(SetEntries& set, const std::string& name, OptionKind kind, const std::string& text);
    void putText(DOMElement* element, const std::string& text);
    bool repair(Entry& entry, const std::string& defaultText);
    void putEntryTexts(const Entry& entry);
    // Empty on success, otherwise why the file could not be written.
    std::string writeFile();

    std::string path;
    ConfigFiles& files;
    // The parser's helpers live longer than the parser, which refers to them.
    ParserMemory memory;
    LocalDtdResolver resolver;
    CountingErrorHandler errors;
    SecurityManager security;
    bool initialised = false;

    std::unique_ptr<XercesDOMParser> parser;
    int status = 2;
    DOMDocument* document = nullptr;
    DOMNode* activeText = nullptr;
    DOMElement* configElement = nullptr;
    std::vector<DOMElement*> sets;
    std::map<std::string, SetEntries> entries;
    std::string activeName;
    bool changed = false;
    // Options were added by binding since the file was last written; a full save writes them.
    bool added = false;
    bool lastSaveFailed = false;
    std::string lastSaveError;
};

void Registry::Impl::read() {
    try {
        std::lock_guard<std::mutex> lock(xercesMutex());
        XMLPlatformUtils::Initialize("en_US");
        initialised = true;
    } catch (...) {
        status = 3;
        return;
    }

    status = 2;
    std::string bytes;
    if (!files.read(path, bytes)) return;
    try {
        parser = std::make_unique<BoundedDOMParser>(&memory);
        parser->setErrorHandler(&errors);
        parser->setEntityResolver(&resolver);
        parser->setDisableDefaultEntityResolution(true);
        security.setEntityExpansionLimit(kEntityExpansionLimit);
        parser->setSecurityManager(&security);

        XString id = fromUtf8(path);
        MemBufInputSource source(reinterpret_cast<const XMLByte*>(bytes.data()), bytes.size(), id.c_str());
        parser->parse(source);
        if (parser->getErrorCount() > 0 || errors.count > 0 || resolver.dtdMissing()) return;

        document = parser->getDocument();
        if (!document || !document->getDocumentElement()) return;
        if (depthOf(document) > kMaxDepth) return;

        configElement = firstElementNamed(document->getDocumentElement(), kVeltaConfig);
        if (!configElement) return;
        DOMElement* active = firstElementNamed(configElement, kActive);
        if (!active || !active->getFirstChild()) return;
        activeText = active->getFirstChild();
        activeName = trimmedValue(activeText);

        sets = elementsNamed(configElement, kSet);
        if (sets.empty()) return;
        for (DOMElement* set : sets) readSet(set, attribute(set, kName));
        if (entries.count(activeName) == 0) return;
        status = 0;
    } catch (...) {
        // Every exception of the XML library ends here: the file was not understood.
        status = 2;
    }
}

void Registry::Impl::readSet(DOMElement* setElement, const std::string& setName) {
    SetEntries& set = entries[setName];
    for (DOMElement* option : elementsNamed(setElement, kOption)) {
        // An option belongs to the set closest around it alone, so that a set written inside
        // another never shares its options with it.
        if (!option->hasAttribute(kName) || enclosing(option, kSet) != setElement) continue;
        std::string optionName = attribute(option, kName);
        // An option named twice in a set is the later element's alone: its texts are read from
        // that element and saved into it, never mixed with the earlier one's.
        Entry& entry = set[optionName];
        entry = Entry{};
        entry.setName = setName;
        entry.optionName = optionName;
        entry.element = option;
        readOption(option, entry);
    }
}

void Registry::Impl::readOption(DOMElement* option, Entry& entry) {
    if (!option->hasAttribute(kType)) return;
    entry.typed = true;
    std::string type = attribute(option, kType);
    entry.kind = type == "bool"      ? OptionKind::Bool
                 : type == "numeric" ? OptionKind::Numeric
                                     : OptionKind::String;
    entry.immediate = attribute(option, kImmediate) == "true";
    for (DOMNode* child = option->getFirstChild(); child; child = child->getNextSibling()) {
        if (child->getNodeType() != DOMNode::ELEMENT_NODE || !child->getFirstChild()) continue;
        std::string text = trimmedValue(child->getFirstChild());
        if (named(child, kCurrent)) entry.current = text;
        if (named(child, kDefault)) entry.defaultText = text;
    }
}

SetEntries* Registry::Impl::activeSet() {
    if (status != 0) return nullptr;
    auto it = entries.find(activeName);
    return it == entries.end() ? nullptr : &it->second;
}

// A binding found no entry: the active set gains one, with an option element placed beside the
// set's existing options, holding the default as its current and default texts.
void Registry::Impl::createEntry(SetEntries& set, const std::string& name, OptionKind kind,
                                 const std::string& text) {
    if (set.empty()) return;
    DOMElement* first = set.begin()->second.element;
    DOMNode* parent = first ? first->getParentNode() : nullptr;
    if (!parent) return;
    try {
        DOMElement* option = document->createElement(kOption);
        option->setAttribute(kName, fromUtf8(name).c_str());
        option->setAttribute(kType, typeName(kind));
        // The texts go in at once, so that whichever save writes the file next writes the
        // option with its value.
        for (const XMLCh* child : {kCurrent, kDefault}) {
            DOMElement* element = document->createElement(child);
            if (!text.empty()) element->appendChild(document->createTextNode(fromUtf8(text).c_str()));
            option->appendChild(element);
        }
        parent->appendChild(option);
        Entry entry;
        entry.kind = kind;
        entry.element = option;
        entry.setName = activeName;
        entry.optionName = name;
        entry.current = text;
        entry.defaultText = text;
        entry.typed = true;
        set[name] = entry;
        added = true;
    } catch (...) {
        // A read-only place in the tree (inside an entity reference): nothing is created.
    }
}

void Registry::Impl::putText(DOMElement* element, const std::string& text) {
    if (DOMNode* child = element->getFirstChild()) {
        if (trimmedValue(child) != text) {
            child->setNodeValue(fromUtf8(text).c_str());
            changed = true;
        }
    } else if (!text.empty()) {
        element->appendChild(document->createTextNode(fromUtf8(text).c_str()));
        changed = true;
    }
}

// An entry whose default text is empty although the option has a default (a file damaged by an
// earlier version, or edited by hand) takes that default, and its current text too when that is
// empty as well. The element is mended at once, so the next save writes it back. True when
// something was mended.
bool Registry::Impl::repair(Entry& entry, const std::string& defaultText) {
    if (defaultText.empty() || !entry.defaultText.empty() || !entry.typed) return false;
    entry.defaultText = defaultText;
    if (entry.current.empty()) entry.current = defaultText;
    try {
        putEntryTexts(entry);
    } catch (...) {
        // A read-only place in the tree: the values are mended in memory only.
    }
    return true;
}

void Registry::Impl::putEntryTexts(const Entry& entry) {
    // An untyped option element was not read, so nothing is written into it either.
    if (!entry.element || !entry.typed) return;
    DOMNode* current = nullptr;
    DOMNode* defaultNode = nullptr;
    for (DOMNode* child = entry.element->getFirstChild(); child; child = child->getNextSibling()) {
        if (named(child, kCurrent)) {
            putText(static_cast<DOMElement*>(child), entry.current);
            current = child;
        }
        if (named(child, kDefault)) {
            putText(static_cast<DOMElement*>(child), entry.defaultText);
            defaultNode = child;
        }
    }
    // An option element that lacks one of its texts (a file edited by hand) gains it, current
    // before default, so that a value set for the option is written instead of being lost.
    if (current && defaultNode) return;
    auto textElement = [&](const XMLCh* name, const std::string& text) {
        DOMElement* element = document->createElement(name);
        if (!text.empty()) element->appendChild(document->createTextNode(fromUtf8(text).c_str()));
        changed = true;
        return element;
    };
    if (!current) entry.element->insertBefore(textElement(kCurrent, entry.current), defaultNode);
    if (!defaultNode) entry.element->appendChild(textElement(kDefault, entry.defaultText));
}

static std::string repairNote(const std::string& option, const std::string& set, const std::string& value) {
    return "Option " + option + " of set '" + set +
           "' had no value in the configuration file; it was given its default " + value;
}

// Removes the text nodes of blanks and line breaks that only lay out the elements and comments
// around them. The pretty-printing writer lays the document out anew; left in place, they would
// be written on top of its own line breaks and the file would grow blank lines at every save.
// The texts of elements without element or comment children (values) stay as they are.
void dropLayoutWhitespace(DOMNode* parent) {
    bool structured = false;
    for (DOMNode* child = parent->getFirstChild(); child; child = child->getNextSibling()) {
        const auto type = child->getNodeType();
        if (type == DOMNode::ELEMENT_NODE || type == DOMNode::COMMENT_NODE) structured = true;
        if (type == DOMNode::ELEMENT_NODE) dropLayoutWhitespace(child);
    }
    if (!structured) return;
    for (DOMNode* child = parent->getFirstChild(); child;) {
        DOMNode* next = child->getNextSibling();
        if (child->getNodeType() == DOMNode::TEXT_NODE && trimWhiteSpace(toUtf8(child->getNodeValue())).empty()) {
            try {
                parent->removeChild(child)->release();
            } catch (...) {
                // Read-only (inside an entity reference): it stays.
            }
        }
        child = next;
    }
}

std::string Registry::Impl::writeFile() {
    dropLayoutWhitespace(document);
    const std::string failure = "Could not write the configuration file " + path;
    DOMImplementation* implementation = DOMImplementationRegistry::getDOMImplementation(kLS);
    if (!implementation) return failure + ": the XML library has no writer";
    DOMLSSerializer* writer = static_cast<DOMImplementationLS*>(implementation)->createLSSerializer();
    std::string text;
    try {
        DOMConfiguration* config = writer->getDomConfig();
        if (config->canSetParameter(XMLUni::fgDOMWRTFormatPrettyPrint, true)) {
            config->setParameter(XMLUni::fgDOMWRTFormatPrettyPrint, true);
        }
        XMLCh* written = writer->writeToString(document);
        if (written) {
            text = toUtf8(written);
            XMLString::release(&written);
        }
    } catch (...) {
        writer->release();
        throw;
    }
    writer->release();
    if (text.empty()) return failure + ": the XML library wrote nothing";
    // The writer declares the encoding of its own string; the file is written as UTF-8.
    // Only the declaration is changed: option values may hold the same text.
    static constexpr std::string_view declared = "encoding=\"UTF-16\"";
    const std::size_t declarationEnd = text.find("?>");
    const std::size_t at = text.find(declared);
    if (text.starts_with("<?xml") && at < declarationEnd && declarationEnd != std::string::npos) {
        text.replace(at, declared.size(), "encoding=\"UTF-8\"");
    }
    return files.replace(path, text);
}

Registry::Registry(const std::string& path) : Registry(path, diskConfigFiles()) {}

Registry::Registry(const std::string& path, ConfigFiles& files) : impl_(std::make_unique<Impl>(path, files)) {
    impl_->read();
}

Registry::~Registry() = default;

NumericBinding Registry::bindNumeric(const std::string& name, double defaultValue) {
    NumericBinding result{defaultValue, defaultValue, false};
    SetEntries* set = impl_->activeSet();
    if (!set) return result;
    auto it = set->find(name);
    if (it == set->end()) {
        impl_->createEntry(*set, name, OptionKind::Numeric, formatFixed6(defaultValue));
        return result;
    }
    Entry& e = it->second;
    const std::string catalogueText = e.kind == OptionKind::Bool ? (defaultValue != 0.0 ? "true" : "false")
                                                                : formatFixed6(defaultValue);
    if (impl_->repair(e, catalogueText)) addRepairNote(repairNote(name, e.setName, catalogueText));
    const std::string& current = e.current.empty() ? e.defaultText : e.current;
    if (e.kind == OptionKind::Bool) {
        result.current = current == "true" ? 1.0 : 0.0;
        result.defaultValue = e.defaultText == "true" ? 1.0 : 0.0;
    } else {
        result.current = leadingNumber(current);
        result.defaultValue = leadingNumber(e.defaultText);
    }
    result.immediate = e.immediate;
    return result;
}

TextBinding Registry::bindText(const std::string& name, const std::string& defaultText) {
    TextBinding result{defaultText, defaultText, false};
    SetEntries* set = impl_->activeSet();
    if (!set) return result;
    auto it = set->find(name);
    if (it == set->end()) {
        impl_->createEntry(*set, name, OptionKind::String, defaultText);
        return result;
    }
    Entry& e = it->second;
    if (impl_->repair(e, defaultText)) addRepairNote(repairNote(name, e.setName, "\"" + defaultText + "\""));
    result.current = e.current.empty() ? e.defaultText : e.current;
    result.defaultText = e.defaultText;
    result.immediate = e.immediate;
    return result;
}

void Registry::setText(const std::string& name, const std::string& text) {
    SetEntries* set = impl_->activeSet();
    if (!set) return;
    auto it = set->find(name);
    if (it != set->end()) it->second.current = text;
}

void Registry::setNumeric(const std::string& name, double value) {
    SetEntries* set = impl_->activeSet();
    if (!set) return;
    auto it = set->find(name);
    if (it == set->end()) return;
    Entry& e = it->second;
    e.current = e.kind == OptionKind::Bool ? (value != 0.0 ? "true" : "false") : formatFixed6(value);
}

void Registry::save(bool immediateOnly) {
    Impl& d = *impl_;
    if (d.status != 0 || !d.document) return;
    std::string error;
    bool wroteFile = false;
    try {
        for (auto& [setName, set] : d.entries) {
            for (auto& [optionName, entry] : set) {
                if (entry.immediate || !immediateOnly) d.putEntryTexts(entry);
            }
        }
        if (!immediateOnly && d.activeText && trimmedValue(d.activeText) != d.activeName) {
            d.activeText->setNodeValue(fromUtf8(d.activeName).c_str());
            d.changed = true;
        }
        if (!immediateOnly && d.added) d.changed = true;
        if (d.changed) {
            error = d.writeFile();
            wroteFile = error.empty();
        }
    } catch (...) {
        // An error of the XML library: the values stay in memory.
        error = "Could not write the configuration file " + d.path + ": the XML library failed";
    }
    const bool written = error.empty();
    // A file that could not be replaced keeps the changes pending, so the next save retries.
    d.lastSaveFailed = !written;
    d.lastSaveError = error;
    d.changed = !written;
    // Whatever was written holds the added options with their texts.
    if (wroteFile) d.added = false;
}

int Registry::status() const { return impl_->status; }

std::string Registry::activeSetName() const { return impl_->activeName; }

std::vector<std::string> Registry::setNames() const {
    std::vector<std::string> names;
    for (const auto& [name, set] : impl_->entries) names.push_back(name);
    return names;
}

void Registry::setActiveSetName(const std::string& name) { impl_->activeName = name; }

bool Registry::holdsOtherSets(const std::string& name) const {
    for (DOMElement* set : impl_->sets) {
        if (attribute(set, kName) == name && elementsNamed(set, kSet).size() > 1) return true;
    }
    return false;
}

bool Registry::copySet(const std::string& from, const std::string& to) {
    Impl& d = *impl_;
    if (d.status != 0 || d.entries.count(from) == 0 || d.entries.count(to) != 0) return false;
    // A copy would hold copies of the sets inside, of the same names, which would then shadow them.
    if (holdsOtherSets(from)) return false;
    auto source = std::find_if(d.sets.begin(), d.sets.end(),
                               [&](DOMElement* set) { return attribute(set, kName) == from; });
    if (source == d.sets.end()) return false;
    DOMNode* parent = (*source)->getParentNode();
    if (!parent) return false;
    try {
        auto* clone = static_cast<DOMElement*>((*source)->cloneNode(true));
        clone->setAttribute(kName, fromUtf8(to).c_str());
        parent->appendChild(clone);
        d.readSet(clone, to);
        d.sets.push_back(clone);
        d.changed = true;
        return true;
    } catch (...) {
        return false;
    }
}

bool Registry::removeSet(const std::string& name) {
    Impl& d = *impl_;
    if (d.status != 0 || d.entries.count(name) == 0) return false;
    // Removing it would take the sets inside along.
    if (holdsOtherSets(name)) return false;
    std::vector<DOMElement*> removed;
    try {
        for (DOMElement* set : d.sets) {
            if (attribute(set, kName) != name) continue;
            // Detached elements stay owned by the document until it is released, so nothing
            // that still points into them can dangle.
            if (DOMNode* parent = set->getParentNode()) {
                parent->removeChild(set);
                removed.push_back(set);
            }
        }
    } catch (...) {
    }
    if (removed.empty()) return false;
    d.sets.erase(std::remove_if(d.sets.begin(), d.sets.end(),
                                [&](DOMElement* set) {
                                    return std::find(removed.begin(), removed.end(), set) != removed.end();
                                }),
                 d.sets.end());
    d.entries.erase(name);
    d.changed = true;
    return true;
}

const std::string& Registry::path() const { return impl_->path; }

bool Registry::lastSaveFailed() const { return impl_->lastSaveFailed; }

const std::string& Registry::lastSaveError() const { return impl_->lastSaveError; }

}  // namespace velta
