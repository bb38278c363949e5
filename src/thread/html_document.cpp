#include "thread/html_document.h"

#include <QStringDecoder>

#include <cstring>

namespace vorlo::thread {

namespace {

// No forum page comes near this depth of elements; the parser's own clean-up goes down
// the tree recursively, so a deeper page is refused before it is parsed.
constexpr int kMaxNesting = 4000;

bool tag_is(const char* name, qsizetype length, const char* tag) {
    return qstrnicmp(name, length, tag) == 0;
}

bool is_void_tag(const char* name, qsizetype length) {
    static const char* const kVoid[] = {"area",  "base",   "br",    "col",  "embed",
                                        "hr",    "img",    "input", "link", "meta",
                                        "param", "source", "track", "wbr",  "keygen"};
    for (const char* tag : kVoid) {
        if (tag_is(name, length, tag)) {
            return true;
        }
    }
    return false;
}

// An upper bound of the depth of elements the parser can build from the bytes: each start
// tag that is not void or self-closing opens one, each end tag closes one. Comments, and
// the contents of scripts and styles, open nothing.
int nesting_bound(const QByteArray& html) {
    const char* c = html.constData();
    const qsizetype n = html.size();
    int depth = 0;
    int deepest = 0;
    qsizetype i = 0;
    while (i < n) {
        const char* lt =
            static_cast<const char*>(std::memchr(c + i, '<', static_cast<size_t>(n - i)));
        if (!lt) {
            break;
        }
        i = lt - c + 1;
        if (i < n && c[i] == '!') {
            const qsizetype end = html.indexOf("-->", i);
            i = end < 0 ? n : end + 3;
            continue;
        }
        if (i < n && c[i] == '/') {
            depth = depth > 0 ? depth - 1 : 0;
            continue;
        }
        qsizetype j = i;
        while (j < n && std::isalnum(static_cast<unsigned char>(c[j]))) {
            ++j;
        }
        if (j == i) {
            continue;
        }
        const char* name = c + i;
        const qsizetype length = j - i;
        const qsizetype close = html.indexOf('>', j);
        if (close < 0) {
            break;
        }
        const bool self_closing = c[close - 1] == '/';
        i = close + 1;
        if (tag_is(name, length, "script") || tag_is(name, length, "style") ||
            tag_is(name, length, "textarea") || tag_is(name, length, "title")) {
            const qsizetype end = html.indexOf("</", i);
            i = end < 0 ? n : end;
            continue;
        }
        if (self_closing || is_void_tag(name, length)) {
            continue;
        }
        deepest = std::max(deepest, ++depth);
        if (deepest > kMaxNesting) {
            break;
        }
    }
    return deepest;
}

QByteArray as_utf8(const QByteArray& bytes) {
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    if (!decoder.isValid() || QByteArray(decoder.name()).toLower().replace('-', "") == "utf8") {
        return bytes;
    }
    return QString(decoder.decode(bytes)).toUtf8();
}

const GumboVector* children(const GumboNode& node) {
    if (node.type == GUMBO_NODE_ELEMENT || node.type == GUMBO_NODE_TEMPLATE) {
        return &node.v.element.children;
    }
    if (node.type == GUMBO_NODE_DOCUMENT) {
        return &node.v.document.children;
    }
    return nullptr;
}

bool is_blank(char16_t c) {
    if (c < 0x80) {
        return c == u' ' || (c >= u'\t' && c <= u'\r');
    }
    return c == 0x00A0 || c == 0x202F || QChar(c).isSpace();
}

// Appends text with runs of white space, non-breaking ones included, reduced to a blank;
// the characters between blanks are appended run by run.
void append_collapsed(QString& out, const char* utf8) {
    const QString text = QString::fromUtf8(utf8);
    const char16_t* c = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype n = text.size();
    out.reserve(out.size() + n);
    qsizetype i = 0;
    while (i < n) {
        if (is_blank(c[i])) {
            if (!out.isEmpty() && out.back() != QLatin1Char(' ') &&
                out.back() != QLatin1Char('\n')) {
                out += QLatin1Char(' ');
            }
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < n && !is_blank(c[i])) {
            ++i;
        }
        out.append(text.constData() + start, i - start);
    }
}

// Elements whose content is not the text of a post: what runs or is loaded, quotes, code,
// spoilers, signatures, edit notices, embedded previews, and controls.
bool is_left_out(const GumboNode& node) {
    switch (node.v.element.tag) {
        case GUMBO_TAG_SCRIPT:
        case GUMBO_TAG_STYLE:
        case GUMBO_TAG_NOSCRIPT:
        case GUMBO_TAG_TEMPLATE:
        case GUMBO_TAG_IMG:
        case GUMBO_TAG_VIDEO:
        case GUMBO_TAG_AUDIO:
        case GUMBO_TAG_IFRAME:
        case GUMBO_TAG_OBJECT:
        case GUMBO_TAG_EMBED:
        case GUMBO_TAG_SVG:
        case GUMBO_TAG_MATH:
        case GUMBO_TAG_BLOCKQUOTE:
        case GUMBO_TAG_PRE:
        case GUMBO_TAG_CODE:
        case GUMBO_TAG_DETAILS:
        case GUMBO_TAG_ASIDE:
        case GUMBO_TAG_BUTTON:
        case GUMBO_TAG_INPUT:
        case GUMBO_TAG_SELECT:
        case GUMBO_TAG_TEXTAREA:
        case GUMBO_TAG_HEAD:
            return true;
        default:
            break;
    }
    static const char* const kClasses[] = {
        "quote",       "quotetitle", "quotecontent",     "signature",           "codebox",
        "codetitle",   "spoiler",    "spoilertitle",     "spoiler-blurred",     "bbCodeSpoiler",
        "bbCodeBlock", "bbCodeCode", "bbImage",          "message-signature",   "message-lastEdit",
        "notice",      "onebox",     "lightbox-wrapper", "bbCodeInlineSpoiler", "hidden"};
    for (const char* name : kClasses) {
        if (has_class(node, name)) {
            return true;
        }
    }
    return false;
}

// Elements that stand on lines of their own.
bool breaks_line(GumboTag tag) {
    switch (tag) {
        case GUMBO_TAG_BR:
        case GUMBO_TAG_P:
        case GUMBO_TAG_DIV:
        case GUMBO_TAG_LI:
        case GUMBO_TAG_UL:
        case GUMBO_TAG_OL:
        case GUMBO_TAG_DL:
        case GUMBO_TAG_DT:
        case GUMBO_TAG_DD:
        case GUMBO_TAG_H1:
        case GUMBO_TAG_H2:
        case GUMBO_TAG_H3:
        case GUMBO_TAG_H4:
        case GUMBO_TAG_H5:
        case GUMBO_TAG_H6:
        case GUMBO_TAG_HR:
        case GUMBO_TAG_TABLE:
        case GUMBO_TAG_TR:
        case GUMBO_TAG_SECTION:
        case GUMBO_TAG_ARTICLE:
        case GUMBO_TAG_HEADER:
        case GUMBO_TAG_FOOTER:
        case GUMBO_TAG_CENTER:
            return true;
        default:
            return false;
    }
}

void break_line(QString& out) {
    while (out.endsWith(QLatin1Char(' '))) {
        out.chop(1);
    }
    if (!out.isEmpty() && out.back() != QLatin1Char('\n')) {
        out += QLatin1Char('\n');
    }
}

// Walks the tree without recursion, so that a deep page cannot exhaust the stack. `enter`
// tells whether to go into an element; `leave` runs after its children.
template <typename Enter, typename Text, typename Leave>
void walk(const GumboNode* root, Enter enter, Text text, Leave leave) {
    struct Step {
        const GumboNode* node;
        unsigned next_child;
    };
    if (!root) {
        return;
    }
    std::vector<Step> stack;
    if (root->type == GUMBO_NODE_TEXT || root->type == GUMBO_NODE_WHITESPACE ||
        root->type == GUMBO_NODE_CDATA) {
        text(*root);
        return;
    }
    if (!enter(*root)) {
        return;
    }
    stack.push_back({root, 0});
    while (!stack.empty()) {
        Step& top = stack.back();
        const GumboVector* kids = children(*top.node);
        if (!kids || top.next_child >= kids->length) {
            leave(*top.node);
            stack.pop_back();
            continue;
        }
        const auto* child = static_cast<const GumboNode*>(kids->data[top.next_child++]);
        switch (child->type) {
            case GUMBO_NODE_TEXT:
            case GUMBO_NODE_WHITESPACE:
            case GUMBO_NODE_CDATA:
                text(*child);
                break;
            case GUMBO_NODE_ELEMENT:
            case GUMBO_NODE_TEMPLATE:
                if (enter(*child)) {
                    stack.push_back({child, 0});
                }
                break;
            default:
                break;
        }
    }
}

}  // namespace

HtmlDocument::HtmlDocument(const QByteArray& bytes) : utf8_(as_utf8(bytes)) {
    if (nesting_bound(utf8_) > kMaxNesting) {
        return;
    }
    output_ = gumbo_parse_with_options(&kGumboDefaultOptions, utf8_.constData(),
                                       static_cast<size_t>(utf8_.size()));
}

HtmlDocument::~HtmlDocument() {
    if (output_) {
        gumbo_destroy_output(&kGumboDefaultOptions, output_);
    }
}

bool is_element(const GumboNode& node, GumboTag tag) {
    return node.type == GUMBO_NODE_ELEMENT && node.v.element.tag == tag;
}

namespace {
template <typename Match>
bool any_class(const GumboNode& node, Match match) {
    if (node.type != GUMBO_NODE_ELEMENT) {
        return false;
    }
    const GumboAttribute* classes = gumbo_get_attribute(&node.v.element.attributes, "class");
    if (!classes) {
        return false;
    }
    const char* c = classes->value;
    while (*c) {
        while (*c && std::isspace(static_cast<unsigned char>(*c))) {
            ++c;
        }
        const char* start = c;
        while (*c && !std::isspace(static_cast<unsigned char>(*c))) {
            ++c;
        }
        if (c > start && match(start, static_cast<size_t>(c - start))) {
            return true;
        }
    }
    return false;
}
}  // namespace

bool has_class(const GumboNode& node, const char* name) {
    const size_t length = std::strlen(name);
    return any_class(node, [&](const char* word, size_t size) {
        return size == length && std::memcmp(word, name, size) == 0;
    });
}

bool has_class_prefix(const GumboNode& node, const char* prefix) {
    const size_t length = std::strlen(prefix);
    return any_class(node, [&](const char* word, size_t size) {
        return size >= length && std::memcmp(word, prefix, length) == 0;
    });
}

QString attribute(const GumboNode& node, const char* name) {
    if (node.type != GUMBO_NODE_ELEMENT) {
        return {};
    }
    const GumboAttribute* found = gumbo_get_attribute(&node.v.element.attributes, name);
    return found ? QString::fromUtf8(found->value) : QString();
}

std::vector<const GumboNode*> find_all(const GumboNode* root, const NodeTest& test) {
    std::vector<const GumboNode*> found;
    walk(
        root,
        [&](const GumboNode& node) {
            if (node.type == GUMBO_NODE_ELEMENT && test(node)) {
                found.push_back(&node);
                return false;
            }
            return true;
        },
        [](const GumboNode&) {}, [](const GumboNode&) {});
    return found;
}

const GumboNode* find_first(const GumboNode* root, const NodeTest& test) {
    // The walk has no early exit; the first match is kept and the rest is passed over.
    const GumboNode* first = nullptr;
    walk(
        root,
        [&](const GumboNode& node) {
            if (first) {
                return false;
            }
            if (node.type == GUMBO_NODE_ELEMENT && test(node)) {
                first = &node;
                return false;
            }
            return true;
        },
        [](const GumboNode&) {}, [](const GumboNode&) {});
    return first;
}

QString inline_text(const GumboNode* node) {
    QString out;
    walk(
        node,
        [](const GumboNode& n) {
            return !is_element(n, GUMBO_TAG_SCRIPT) && !is_element(n, GUMBO_TAG_STYLE);
        },
        [&](const GumboNode& n) { append_collapsed(out, n.v.text.text); }, [](const GumboNode&) {});
    return out.trimmed();
}

QStringList body_lines(const GumboNode* body) {
    QString out;
    walk(
        body,
        [&](const GumboNode& node) {
            if (node.type != GUMBO_NODE_ELEMENT) {
                return true;
            }
            if (node.v.element.tag != GUMBO_TAG_HTML && node.v.element.tag != GUMBO_TAG_BODY &&
                is_left_out(node)) {
                return false;
            }
            if (breaks_line(node.v.element.tag)) {
                break_line(out);
            }
            return true;
        },
        [&](const GumboNode& n) { append_collapsed(out, n.v.text.text); },
        [&](const GumboNode& node) {
            if (node.type == GUMBO_NODE_ELEMENT && breaks_line(node.v.element.tag)) {
                break_line(out);
            }
        });
    QStringList lines;
    for (const QString& line : out.split(QLatin1Char('\n'))) {
        const QString kept = line.trimmed();
        if (!kept.isEmpty()) {
            lines << kept;
        }
    }
    return lines;
}

}  // namespace vorlo::thread
