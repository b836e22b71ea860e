#include "Temporisation.h"

#include "Horloge.h"

#include <QTimer>

namespace {
class ReveilQt : public Reveil
{
public:
    explicit ReveilQt(std::function<void()> action)
    {
        m_minuterie.setSingleShot(true);
        // Une seule minuterie par réveil ; rien ne tourne quand rien n'est armé.
        QObject::connect(&m_minuterie, &QTimer::timeout, &m_minuterie, std::move(action));
    }
    void armer(int delai) override
    {
        m_minuterie.setTimerType(delai < 1000 ? Qt::PreciseTimer : Qt::CoarseTimer);
        m_minuterie.start(std::max(0, delai));
    }
    void desarmer() override { m_minuterie.stop(); }
    bool arme() const override { return m_minuterie.isActive(); }

private:
    QTimer m_minuterie;
};

class TemporisationQt : public Temporisation
{
public:
    qint64 maintenant() const override { return Horloge::courante().millisecondesEcoulees(); }
    std::unique_ptr<Reveil> creerReveil(std::function<void()> action) override
    {
        return std::make_unique<ReveilQt>(std::move(action));
    }
};
} // namespace

Temporisation& temporisationReelle()
{
    static TemporisationQt source;
    return source;
}
