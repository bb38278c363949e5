#include "posting/post_check.h"

#include "posting/bbcode_scan.h"
#include "posting/post_rendering.h"
#include "report/forum_message.h"

#include <QRegularExpression>

#include <algorithm>
#include <vector>

namespace vorlo {

namespace {

QString scale_text(const ForumRules& rules) {
    switch (rules.size_scale) {
        case SizeScale::Steps:
            return QStringLiteral("%1 à %2").arg(rules.size_min).arg(rules.size_max);
        case SizeScale::Percent:
            return QStringLiteral("%1 à %2 %").arg(rules.size_min).arg(rules.size_max);
        case SizeScale::Points:
            return QStringLiteral("1 à 7, ou %1 à %2 pt").arg(rules.size_min).arg(rules.size_max);
        case SizeScale::Named:
            return QStringLiteral("xx-small à xx-large");
        case SizeScale::None:
            break;
    }
    return QStringLiteral("aucune taille");
}

// The tags that some forum of the table knows: a bracketed word outside them is text.
bool known_anywhere(const QString& name) {
    for (const ForumRules& rules : forum_rules()) {
        if (rules.tags.contains(name)) {
            return true;
        }
    }
    return false;
}

QString shown(const BbcodeTag& tag) {
    return QStringLiteral("[") + (tag.closing ? QStringLiteral("/") : QString()) + tag.name +
           (tag.value.isEmpty() ? QString() : QLatin1Char('=') + tag.value) + QLatin1Char(']');
}

void add_once(QStringList& warnings, const QString& warning) {
    if (!warnings.contains(warning)) {
        warnings << warning;
    }
}

QString unclosed(const QString& name) {
    return QStringLiteral(
               "La balise [%1] n'est pas fermée : la mise en forme peut déborder sur "
               "la suite.")
        .arg(name);
}

void check_bbcode(const ForumRules& rules, const QString& post, QStringList& warnings) {
    std::vector<QString> open;
    for (const BbcodeTag& tag : bbcode_tags(post, rules.inert_tags)) {
        if (!rules.tags.contains(tag.name)) {
            if (known_anywhere(tag.name) && !tag.closing) {
                add_once(warnings, QStringLiteral("%1 n'a pas la balise [%2] : elle s'affichera "
                                                  "telle quelle.")
                                       .arg(rules.caption, tag.name));
            }
            continue;
        }
        if (rules.optional_tags.contains(tag.name) && !tag.closing) {
            add_once(warnings, QStringLiteral("%1 n'affiche [%2] que si son administrateur "
                                              "l'autorise : sinon, elle s'affichera telle quelle.")
                                   .arg(rules.caption, tag.name));
        }
        if (tag.name == QLatin1String("size") && !tag.closing && !size_accepted(rules, tag.value)) {
            add_once(warnings, QStringLiteral("La taille %1 est hors de l'échelle de %2 (%3) : "
                                              "la balise s'affichera telle quelle.")
                                   .arg(shown(tag), rules.caption, scale_text(rules)));
        }
        if (tag.name == QLatin1String("*")) {
            continue;  // a list item has no closing
        }
        if (!tag.closing) {
            open.push_back(tag.name);
            continue;
        }
        const auto match = std::find(open.rbegin(), open.rend(), tag.name);
        if (match == open.rend()) {
            add_once(warnings, QStringLiteral("La balise %1 ne ferme aucune balise ouverte : elle "
                                              "s'affichera telle quelle.")
                                   .arg(shown(tag)));
            continue;
        }
        // The tags opened inside it and left open end with it.
        const auto kept = match.base() - 1;
        for (auto left = kept + 1; left != open.end(); ++left) {
            add_once(warnings, unclosed(*left));
        }
        open.erase(kept, open.end());
    }
    for (const QString& name : open) {
        add_once(warnings, unclosed(name));
    }
}

void check_markdown(const ForumRules& rules, const QString& post, QStringList& warnings) {
    static const QRegularExpression code(QStringLiteral("(`+)[\\s\\S]*?\\1"));
    QString outside_code = post;
    outside_code.remove(code);
    for (const BbcodeTag& tag : bbcode_tags(outside_code, {})) {
        if (known_anywhere(tag.name) && !tag.closing) {
            add_once(warnings, QStringLiteral("%1 lit du Markdown : %2 s'affichera tel quel.")
                                   .arg(rules.caption, shown(tag)));
        }
    }
    if (markdown_html(post).contains(QLatin1String("<em>"))) {
        warnings << QStringLiteral(
            "Une partie du message s'affichera en italique : un * ou un _ "
            "n'y est pas échappé.");
    }
}

void check_name(const ForumRules& rules, const QString& name, QStringList& warnings) {
    static const QRegularExpression direction(
        QStringLiteral("[\\x{202A}-\\x{202E}\\x{2066}-\\x{2069}]"));
    static const QRegularExpression line_break(QStringLiteral("[\\r\\n\\x{2028}\\x{2029}]"));
    const QString quoted =
        QStringLiteral("« ") + name_as_text(name).simplified() + QStringLiteral(" »");
    // The brackets of a name would open a tag or a link; a star or an underscore, emphasis.
    if (rules.markup != Markup::Plain &&
        (name.contains(QLatin1Char('[')) || name.contains(QLatin1Char(']')))) {
        warnings << (rules.markup == Markup::Bbcode
                         ? QStringLiteral("Le nom %1 contient des crochets, qui pourraient ouvrir "
                                          "une balise : ils sont écrits ⟦ ⟧.")
                         : QStringLiteral("Le nom %1 contient des crochets, qui pourraient faire "
                                          "un lien : ils sont échappés."))
                        .arg(quoted);
    }
    if (rules.markup == Markup::Markdown &&
        (name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('_')))) {
        warnings << QStringLiteral(
                        "Le nom %1 contient * ou _, qui mettraient le texte en "
                        "italique : ils sont échappés.")
                        .arg(quoted);
    }
    if (name.contains(direction)) {
        warnings << QStringLiteral(
                        "Le nom %1 contient des caractères qui inversent le sens du "
                        "texte : ils sont retirés.")
                        .arg(quoted);
    }
    if (name.contains(line_break)) {
        warnings << QStringLiteral("Le nom %1 tient sur plusieurs lignes : elles sont jointes.")
                        .arg(quoted);
    }
}

}  // namespace

QStringList post_warnings(PostingProfile profile, const QString& post, const QStringList& names) {
    const ForumRules& rules = rules_of(profile);
    QStringList warnings;
    if (rules.markup == Markup::Bbcode) {
        check_bbcode(rules, post, warnings);
    } else if (rules.markup == Markup::Markdown) {
        check_markdown(rules, post, warnings);
    }
    for (const QString& name : names) {
        check_name(rules, name, warnings);
    }
    return warnings;
}

}  // namespace vorlo
