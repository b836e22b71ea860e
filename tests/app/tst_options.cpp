// Commande des options : le compagnon n'est redémarré que si le nom ou l'affichage change.
#include "FenetreTest.h"

using namespace Qt::StringLiterals;

namespace {
enum class Geste { Valider, Annuler, CaseFermeture };
}
Q_DECLARE_METATYPE(Geste)

class TestOptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m.reset(); }
    void options_data();
    void options();
    void options_listeEtCouleursTransmises();
    void options_commandesPendantLeDepart_refusees();

private:
    std::unique_ptr<FenetreTest> m;
};

void TestOptions::init()
{
    m = std::make_unique<FenetreTest>();
    const QString chars = m->env->dossier() + u"MSAgent/Chars/"_s;
    QVERIFY(QDir().mkpath(chars));
    for (const char* nom : {"Sam.acs", "Merlin.acs", "Genie.acs"})
        ecrireOctetsBruts(chars + QString::fromLatin1(nom), "x");
}

void TestOptions::options_data()
{
    QTest::addColumn<bool>("allume");
    QTest::addColumn<QString>("tape");
    QTest::addColumn<bool>("coche");
    QTest::addColumn<Geste>("geste");
    QTest::addColumn<QString>("nomFinal");
    QTest::addColumn<bool>("afficheFinal");
    QTest::addColumn<bool>("redemarre");
    QTest::addColumn<int>("attente");  // millisecondes attendues à l'arrêt
    QTest::addColumn<int>("messages"); // avertissements

    QTest::newRow("rienChange") << true << u"Sam"_s << true << Geste::Valider << u"Sam"_s << true << false << 0 << 0;
    QTest::newRow("autreNom") << true << u"Merlin"_s << true << Geste::Valider << u"Merlin"_s << true << true << 3000
                              << 0;
    QTest::newRow("eteint") << true << u"Sam"_s << false << Geste::Valider << u"Sam"_s << false << true << 3000 << 0;
    QTest::newRow("allumeDepuisEteint") << false << u"Sam"_s << true << Geste::Valider << u"Sam"_s << true << true
                                        << 0 << 0;
    // Nom refusé : la case compte, le nom revient à celui de l'ouverture.
    QTest::newRow("nomInconnuEtCase") << true << u"Inconnu"_s << false << Geste::Valider << u"Sam"_s << false << true
                                      << 3000 << 1;
    QTest::newRow("autreCasse") << true << u"merlin"_s << true << Geste::Valider << u"Sam"_s << true << false << 0
                                << 1;
    QTest::newRow("annule") << true << u"Merlin"_s << false << Geste::Annuler << u"Sam"_s << true << false << 0 << 0;
    QTest::newRow("caseFermeture") << true << u"Merlin"_s << false << Geste::CaseFermeture << u"Sam"_s << true
                                   << false << 0 << 0;
}

void TestOptions::options()
{
    QFETCH(bool, allume);
    QFETCH(QString, tape);
    QFETCH(bool, coche);
    QFETCH(Geste, geste);
    QFETCH(QString, nomFinal);
    QFETCH(bool, afficheFinal);
    QFETCH(bool, redemarre);
    QFETCH(int, attente);
    QFETCH(int, messages);

    TFormPrincipale& f = m->f();
    m->allumerCompagnon();
    if (!allume) {
        arreterCompagnon(u"Sam"_s);
        compagnonAffiche = false;
        (*m->serveur)->oublierAppels();
    }
    f.reglages.afficherCompagnon = allume;
    const qint64 attenduAvant = m->horloge->totalAttendu();
    // Une validation passée ne doit pas compter pour une fermeture par la case.
    m->formOptions->valide = true;
    for (int i = 0; i < messages; ++i)
        m->interactions->repondre(ReponseMessage::Ok);
    m->interactions->surDialogue([&](QWidget* w) {
        auto* d = static_cast<TformOptions*>(w);
        d->cbChoixCompagnon->setEditText(tape);
        d->chbAfficherCompagnon->setChecked(coche);
        if (geste == Geste::Valider)
            d->btValiderClick();
        else if (geste == Geste::Annuler)
            d->btAnnulerClick();
        else
            d->reject();
    });
    f.action(u"configurerOptions"_s)->trigger();

    QCOMPARE(m->interactions->questionsDe(GenreQuestion::Message).size(), messages);
    QCOMPARE(f.reglages.nomCompagnon, nomFinal);
    QCOMPARE(compagnonAffiche, afficheFinal);
    if (geste == Geste::Valider)
        QCOMPARE(f.reglages.afficherCompagnon, coche);
    else
        QCOMPARE(f.reglages.afficherCompagnon, allume);
    const ServeurAgentDouble& s = *m->serveur->serveur;
    QCOMPARE(s.nombre(u"Unload"_s) > 0, redemarre && allume);
    QCOMPARE(s.nombre(u"Load"_s) > 0, redemarre && afficheFinal);
    if (redemarre && afficheFinal)
        QVERIFY(s.appelsDe(u"Load"_s).last().arguments.value(0).toString().contains(nomFinal));
    // Redémarré après avoir été vu, il reparaît à sa place d'avant, pas à côté des boutons.
    if (redemarre && afficheFinal && allume) {
        QCOMPARE(s.nombre(u"SetPosition"_s), 1);
        QCOMPARE(s.nombre(u"MoveTo"_s), 0);
    }
    QCOMPARE(m->horloge->totalAttendu() - attenduAvant, qint64(attente));
    // Pas de salut au redémarrage.
    for (const AppelAgent& a : s.appelsDe(u"Play"_s))
        QVERIFY(a.arguments.value(0).toString() != u"Wave"_s);
    if (allume) {
        QCOMPARE(s.appelsDe(u"Play"_s).value(0).arguments.value(0).toString(), u"Think"_s);
        QCOMPARE(s.appelsDe(u"Speak"_s).value(0).arguments.value(0).toString(), u"Options"_s);
    }
}

void TestOptions::options_listeEtCouleursTransmises()
{
    TFormPrincipale& f = m->f();
    f.reglages.nomCompagnon = u"Genie"_s;
    f.reglages.couleurHaut = 0x00112233;
    QStringList elements;
    QString texte;
    m->interactions->surDialogue([&](QWidget* w) {
        auto* d = static_cast<TformOptions*>(w);
        for (int i = 0; i < d->cbChoixCompagnon->count(); ++i)
            elements << d->cbChoixCompagnon->itemText(i);
        texte = d->cbChoixCompagnon->currentText();
        QCOMPARE(d->couleurHaut, TColor(0x00112233));
        d->btAnnulerClick();
    });
    f.action(u"configurerOptions"_s)->trigger();
    QCOMPARE(elements, (QStringList{u"Genie"_s, u"Merlin"_s, u"Sam"_s}));
    QCOMPARE(texte, u"Genie"_s);
    QVERIFY(!m->formOptions->chbAfficherCompagnon->isChecked());
}

void TestOptions::options_commandesPendantLeDepart_refusees()
{
    TFormPrincipale& f = m->f();
    m->allumerCompagnon();
    f.reglages.afficherCompagnon = true;
    m->interactions->surDialogue([](QWidget* w) {
        auto* d = static_cast<TformOptions*>(w);
        d->cbChoixCompagnon->setEditText(u"Merlin"_s);
        d->btValiderClick();
    });
    // Pendant le départ de Sam : sortie, fermeture, options de nouveau.
    bool fermee = true;
    m->horloge->pendantPatience = [&](int) {
        f.action(u"quitter"_s)->trigger();
        f.action(u"configurerOptions"_s)->trigger();
        fermee = f.close();
    };
    f.action(u"configurerOptions"_s)->trigger();
    QCOMPARE(m->horloge->nombrePatiences(), 1);
    QVERIFY(!fermee);
    QCOMPARE(m->interactions->questions.size(), 1); // le seul dialogue des options
    QVERIFY(!f.terminaisonDemandee());
    const ServeurAgentDouble& s = *m->serveur->serveur;
    QCOMPARE(s.nombre(u"Unload"_s), 1);
    QCOMPARE(s.nombre(u"Load"_s), 1);
    QCOMPARE(f.reglages.nomCompagnon, u"Merlin"_s);
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
