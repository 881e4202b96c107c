// The shipped velta.xml: valid against velta.dtd, and every catalogue option present and typed.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <xercesc/dom/DOM.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLString.hpp>

#include "ConfigFixture.h"
#include "config/ConfigSet.h"
#include "config/OptionCatalogue.h"
#include "config/Registry.h"

namespace velta {
namespace {

using namespace xercesc;

class CollectingErrors : public ErrorHandler {
public:
    void warning(const SAXParseException&) override {}
    void error(const SAXParseException& e) override { add(e); }
    void fatalError(const SAXParseException& e) override { add(e); }
    void resetErrors() override { messages.clear(); }
    std::string messages;

private:
    void add(const SAXParseException& e) {
        char* text = XMLString::transcode(e.getMessage());
        messages += "line " + std::to_string(e.getLineNumber()) + ": " + text + "\n";
        XMLString::release(&text);
    }
};

std::string utf8(const XMLCh* text) {
    char* c = XMLString::transcode(text);
    std::string s(c);
    XMLString::release(&c);
    return s;
}

const char* typeOf(OptionKind kind) {
    return kind == OptionKind::Bool ? "bool" : kind == OptionKind::Numeric ? "numeric" : "string";
}

TEST(DefaultConfig, ValidatesAgainstItsDtdAndHoldsTheWholeCatalogue) {
    XMLPlatformUtils::Initialize();
    {
        XercesDOMParser parser;
        parser.setValidationScheme(XercesDOMParser::Val_Always);
        CollectingErrors errors;
        parser.setErrorHandler(&errors);
        parser.parse(test::sourcePath("share/velta.xml").c_str());
        ASSERT_EQ(parser.getErrorCount(), 0u) << errors.messages;
        ASSERT_TRUE(errors.messages.empty()) << errors.messages;

        DOMNodeList* sets = parser.getDocument()->getElementsByTagName(u"set");
        ASSERT_GE(sets->getLength(), 2u);
        for (XMLSize_t s = 0; s < sets->getLength(); ++s) {
            auto* set = static_cast<DOMElement*>(sets->item(s));
            std::string setName = utf8(set->getAttribute(u"name"));
            std::map<std::string, std::string> types;
            DOMNodeList* options = set->getElementsByTagName(u"option");
            for (XMLSize_t o = 0; o < options->getLength(); ++o) {
                auto* option = static_cast<DOMElement*>(options->item(o));
                types[utf8(option->getAttribute(u"name"))] = utf8(option->getAttribute(u"type"));
            }
            EXPECT_EQ(types.size(), optionCatalogue().size()) << setName;
            for (const CatalogueEntry& e : optionCatalogue()) {
                EXPECT_EQ(types[e.name], typeOf(e.kind)) << setName << " " << e.name;
            }
        }
    }
    XMLPlatformUtils::Terminate();
}

TEST(DefaultConfig, LoadsWithoutChangesAndKeepsImmediateOptions) {
    test::ConfigDir dir("shipped");
    std::string shipped = test::readFile(test::sourcePath("share/velta.xml"));
    std::string path = dir.write(shipped);
    Registry registry(path);
    ASSERT_EQ(registry.status(), 0);
    EXPECT_EQ(registry.activeSetName(), "Hurricane");
    EXPECT_EQ(registry.setNames(), (std::vector<std::string>{"Hurricane", "Research"}));
    ConfigSet options(registry);
    EXPECT_TRUE(options.option("DataDir")->immediate());
    EXPECT_TRUE(options.option("BaudRateIndex")->immediate());
    EXPECT_FALSE(options.option("ChuteArea")->immediate());
    EXPECT_EQ(options.option("DataDir")->text(), ".");
    for (const CatalogueEntry& e : optionCatalogue()) {
        if (e.kind != OptionKind::String) {
            EXPECT_EQ(options.option(e.name)->value(), e.defaultValue) << e.name;
        }
    }
    // Every option is present, so a full save finds nothing to write.
    options.save(false);
    EXPECT_EQ(test::readFile(path), shipped);
}

}  // namespace
}  // namespace velta
