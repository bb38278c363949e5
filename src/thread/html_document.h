#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gumbo.h>

#include <functional>
#include <vector>

// An HTML page parsed by Gumbo, and what the thread's readers take from its tree. Nothing
// of the page is run or loaded: its tree is only read.
namespace vorlo::thread {

class HtmlDocument {
  public:
    // Parses the page, whatever its declared encoding. A page nested deeper than any forum
    // page is not parsed (the parser's tree would be too deep to walk safely): root() is
    // then null.
    explicit HtmlDocument(const QByteArray& bytes);
    ~HtmlDocument();
    HtmlDocument(const HtmlDocument&) = delete;
    HtmlDocument& operator=(const HtmlDocument&) = delete;

    const GumboNode* root() const { return output_ ? output_->root : nullptr; }

  private:
    QByteArray utf8_;
    GumboOutput* output_ = nullptr;
};

using NodeTest = std::function<bool(const GumboNode&)>;

bool is_element(const GumboNode& node, GumboTag tag);
// Whether the element's class attribute holds the class among its words.
bool has_class(const GumboNode& node, const char* name);
// Whether one of the element's classes starts with the prefix.
bool has_class_prefix(const GumboNode& node, const char* prefix);
QString attribute(const GumboNode& node, const char* name);

// The elements under `root` (itself included) that pass the test, in the page's order; the
// elements inside one that passed are not looked at.
std::vector<const GumboNode*> find_all(const GumboNode* root, const NodeTest& test);
const GumboNode* find_first(const GumboNode* root, const NodeTest& test);

// The text of an element on one line, blanks collapsed and trimmed.
QString inline_text(const GumboNode* node);

// The lines of a post's body: line breaks where the page breaks lines, blanks collapsed,
// blank lines dropped; quotes, signatures, code, spoilers, images, scripts and styles left
// out.
QStringList body_lines(const GumboNode* body);

}  // namespace vorlo::thread
