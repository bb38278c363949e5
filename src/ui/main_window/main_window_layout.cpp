#include "ui/main_window/main_window.h"
#include "ui/widgets/caption_fit.h"
#include "ui/widgets/enter_clicks.h"
#include "ui/widgets/focus_frame_button.h"
#include "ui/widgets/palette_colour.h"
#include "ui/widgets/proposal_editor.h"
#include "ui/widgets/text_box.h"
#include "ui/widgets/twips.h"
#include "ui/widgets/window_design.h"

#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

// The designed controls of the main window, placed in twips on a fixed client area.
namespace vorlo {

namespace {

const QString kFiller = QStringLiteral("--------------------");

void paint_background(QWidget* widget, const QColor& colour) {
    set_palette_colour(*widget, QPalette::Window, colour);
    widget->setAutoFillBackground(true);
}

// Labels and buttons take the client area's font, the designed label font.
QLabel* add_label(QWidget* parent, const QString& name, const QString& caption,
                  const QRect& place) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(place);
    label->setFocusPolicy(Qt::NoFocus);
    paint_background(label, design::window_background());
    fit_label(*label);
    return label;
}

QLabel* add_counter(QWidget* parent, const QString& name, const QRect& place, const QFont& font) {
    QLabel* counter = add_label(parent, name, QStringLiteral("0"), place);
    counter->setFont(font);
    set_palette_colour(*counter, QPalette::WindowText, design::counter_colour());
    fit_label(*counter, QStringLiteral("600"));  // the largest count
    return counter;
}

QPushButton* add_button(QWidget* parent, const QString& name, const QString& caption,
                        const QRect& place) {
    auto* button = new FocusFrameButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    button->setAutoDefault(false);
    fit_button(*button);
    click_on_enter(*button);
    return button;
}

TextBox* add_text_box(QWidget* parent, const QString& name, const QRect& place,
                      const QColor& background, const QFont& font) {
    auto* box = new TextBox(name, parent);
    box->setGeometry(place);
    box->setFont(font);
    box->set_background(background);
    return box;
}

QAction* add_item(QMenu* menu, const QString& name, const QString& caption) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    return item;
}

}  // namespace

void MainWindow::build_controls() {
    setObjectName(QStringLiteral("Form1"));
    // The client area has a fixed size: the frame offers no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("PRUM - Vorlo : Jeux de mots - Version "));

    // One font per look, shared by every control that has it.
    const QFont label_font = design::label_font();
    const QFont counter_font = design::label_font(15);
    const QFont text_font = design::text_font();

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client_area"));
    client->setFont(label_font);
    client->setFixedSize(twips_size(15540, 9795));
    paint_background(client, design::window_background());
    setCentralWidget(client);

    add_label(client, QStringLiteral("Label1"),
              QStringLiteral("Texte de référence  (600 car. maxi)"),
              twips_rect(120, 240, 3660, 300));
    ref_ = add_text_box(client, QStringLiteral("ref"), twips_rect(120, 720, 5000, 6255),
                        design::reference_background(), text_font);
    add_label(client, QStringLiteral("Label2"), QStringLiteral("Texte proposé"),
              twips_rect(10440, 240, 1515, 300));
    soluce_ = add_text_box(client, QStringLiteral("soluce"), twips_rect(5280, 720, 5000, 6255),
                           design::found_background(), text_font);
    soluce_->setReadOnly(true);
    soluce_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    add_label(client, QStringLiteral("Label3"), QStringLiteral("Texte trouvé"),
              twips_rect(5280, 240, 1305, 300));
    QLabel* remaining_caption =
        add_label(client, QStringLiteral("Label4"), QStringLiteral("Lettres restantes"),
                  twips_rect(11520, 8280, 1815, 300));
    lettres_ = add_text_box(client, QStringLiteral("lettres"), twips_rect(120, 7560, 11055, 1575),
                            design::letters_background(), text_font);
    record_ = add_button(client, QStringLiteral("record"), QStringLiteral("Enregistrer"),
                         twips_rect(2760, 9240, 1575, 375));
    generate_button_ = add_button(client, QStringLiteral("Générer"), QStringLiteral("Générer"),
                                  twips_rect(11280, 9240, 1695, 375));
    quit_button_ = add_button(client, QStringLiteral("quit"), QStringLiteral("Quitter"),
                              twips_rect(13440, 9240, 1575, 375));
    init_button_ = add_button(client, QStringLiteral("init"), QStringLiteral("Initialiser"),
                              twips_rect(480, 9240, 1575, 375));
    remaining_count_ = add_counter(client, QStringLiteral("lettres_restantes"),
                                   twips_rect(13680, 8250, 495, 375), counter_font);
    erase_proposal_button_ =
        add_button(client, QStringLiteral("Command1"), QStringLiteral("Effacer texte ci-dessus"),
                   twips_rect(11760, 7080, 3015, 375));
    QLabel* found_caption =
        add_label(client, QStringLiteral("Label5"), QStringLiteral("Lettres trouvées"),
                  twips_rect(11520, 7800, 1725, 300));
    found_count_ = add_counter(client, QStringLiteral("lettres_trouvées"),
                               twips_rect(13680, 7750, 495, 375), counter_font);
    // A caption grown wider pushes its counter to the right.
    keep_right_of(*remaining_count_, *remaining_caption, pixels(120));
    keep_right_of(*found_count_, *found_caption, pixels(120));
    add_label(client, QStringLiteral("Label6"), QStringLiteral("Lettres restantes"),
              twips_rect(120, 7200, 1815, 300));
    copy_button_ = add_button(client, QStringLiteral("bt_copier"), QStringLiteral("Copier"),
                              twips_rect(6120, 9240, 1695, 375));
    propal_ = new ProposalEditor(client);
    propal_->setGeometry(twips_rect(10440, 720, 4935, 6255));
    propal_->setFont(text_font);
    propal_->document()->setDefaultFont(text_font);

    paint_background(this, design::window_background());
}

void MainWindow::set_tab_order() {
    QWidget* const order[] = {ref_,
                              soluce_,
                              lettres_,
                              record_,
                              generate_button_,
                              quit_button_,
                              init_button_,
                              erase_proposal_button_,
                              copy_button_,
                              propal_};
    QWidget* previous = nullptr;
    for (QWidget* widget : order) {
        if (previous) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

void MainWindow::build_menus() {
    QMenuBar* bar = menuBar();
    bar->setNativeMenuBar(false);

    QMenu* file = bar->addMenu(QStringLiteral("&Fichier"));
    file->setObjectName(QStringLiteral("menu_Fichier"));
    connect(add_item(file, QStringLiteral("menu_delete"),
                     QStringLiteral("Effacer les données de la page")),
            &QAction::triggered, this, &MainWindow::clear_page);
    add_item(file, QStringLiteral("filler"), kFiller);
    connect(add_item(file, QStringLiteral("menu_quit"), QStringLiteral("Quitter")),
            &QAction::triggered, this, &MainWindow::request_quit);

    QMenu* looks = bar->addMenu(QStringLiteral("&Couleurs  et  Police"));
    looks->setObjectName(QStringLiteral("mnu_couleur"));
    struct Item {
        QString name;
        QString caption;
        Look look;
        TextArea area;
    };
    const Item items[] = {
        {QStringLiteral("mnu_fond_ref"), QStringLiteral("Couleur du fond de référence"),
         Look::Background, TextArea::Ref},
        {QStringLiteral("mnu_fond_trouvé"), QStringLiteral("Couleur du fond du texte trouvé"),
         Look::Background, TextArea::Soluce},
        {QStringLiteral("mnu_fond_propal"), QStringLiteral("Couleur du fond de la proposition"),
         Look::Background, TextArea::Propal},
        {QStringLiteral("mnu_fond_lettres"),
         QStringLiteral("Couleur du fond des lettres restantes"), Look::Background,
         TextArea::Lettres},
        {QStringLiteral("filler2"), kFiller, Look::Background, TextArea::Ref},
        {QStringLiteral("mnu_police_ref"), QStringLiteral("Couleur police de référence"),
         Look::TextColour, TextArea::Ref},
        {QStringLiteral("mnu_police_trouvé"), QStringLiteral("Couleur police texte trouvé"),
         Look::TextColour, TextArea::Soluce},
        {QStringLiteral("mnu_police_propal"), QStringLiteral("Couleur police de la proposition"),
         Look::TextColour, TextArea::Propal},
        {QStringLiteral("mnu_police_lettres"), QStringLiteral("Couleur police lettres restantes"),
         Look::TextColour, TextArea::Lettres},
        {QStringLiteral("Filler4"), kFiller, Look::Font, TextArea::Ref},
        {QStringLiteral("mnu_font_ref"), QStringLiteral("Police du texte de référence"), Look::Font,
         TextArea::Ref},
        {QStringLiteral("mnu_font_soluce"), QStringLiteral("Police du texte trouvé"), Look::Font,
         TextArea::Soluce},
        {QStringLiteral("mnu_font_propal"), QStringLiteral("Police du texte de la proposition"),
         Look::Font, TextArea::Propal},
        {QStringLiteral("mnu_font_lettres"), QStringLiteral("Police des lettres restantes"),
         Look::Font, TextArea::Lettres},
    };
    for (const Item& item : items) {
        QAction* action = add_item(looks, item.name, item.caption);
        if (item.caption != kFiller) {
            connect(action, &QAction::triggered, this,
                    [this, look = item.look, area = item.area] { choose_look(look, area); });
        }
    }

    QAction* version = version_action_ = bar->addAction(QStringLiteral("&Version"));
    version->setObjectName(QStringLiteral("mnu_version"));
    connect(version, &QAction::triggered, this, &MainWindow::show_version);
}

}  // namespace vorlo
