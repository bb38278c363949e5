#include "ui/widgets/profile_choice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QtTest>

using namespace vorlo;

class TestProfileChoice : public QObject {
    Q_OBJECT

  private slots:
    void the_user_chooses_a_forum_and_the_richer_post() {
        ProfileChoice choice;
        auto* profiles = choice.findChild<QComboBox*>("profil_forum");
        auto* detailed = choice.findChild<QCheckBox*>("message_detaille");
        QVERIFY(profiles && detailed);
        QStringList captions;
        for (int i = 0; i < profiles->count(); ++i) {
            captions << profiles->itemText(i);
        }
        QCOMPARE(captions, QStringList({"Classique", "phpBB 3", "XenForo 2", "SMF 2", "MyBB",
                                        "Discourse (Markdown)", "Texte brut"}));
        QCOMPARE(choice.profile(), PostingProfile::Classique);
        QVERIFY(!choice.detailed());

        std::vector<std::pair<PostingProfile, bool>> told;
        connect(&choice, &ProfileChoice::choice_changed,
                [&told](PostingProfile p, bool d) { told.emplace_back(p, d); });
        choice.set_choice(PostingProfile::Mybb, true);  // as read from the file
        QCOMPARE(choice.profile(), PostingProfile::Mybb);
        QVERIFY(detailed->isChecked());
        QVERIFY(told.empty());
        profiles->setCurrentIndex(5);
        detailed->click();
        QCOMPARE(told, (std::vector<std::pair<PostingProfile, bool>>{
                           {PostingProfile::Discourse, true}, {PostingProfile::Discourse, false}}));
    }
};

QTEST_MAIN(TestProfileChoice)
#include "test_profile_choice.moc"
