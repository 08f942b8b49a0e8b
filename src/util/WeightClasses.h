#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

namespace ovra::util {

// The weight classes of the main window's weight combo box. Each fixes the
// contact threshold of both trampolines; the automatic class starts at 800 N
// and then follows the athlete's landings.
class WeightClasses
{
    Q_DECLARE_TR_FUNCTIONS(WeightClasses)
public:
    static constexpr int kChildren = 0;
    static constexpr int kTeenager = 1;
    static constexpr int kNormal = 2;
    static constexpr int kAdults = 3;
    static constexpr int kAutomatic = 4;
    static constexpr int kCount = 5;
    // Share of a landing's force maximum that the automatic class classifies.
    static constexpr double kAutomaticFactor = 0.35;

    // The largest fixed threshold (N) that the force reaches: 5000, 2500,
    // 1150, else 800.
    static double weightClassFor(double force);

    // Combo box texts in index order, translated.
    static QStringList texts();
    // Translated text of one class; empty for an index outside 0 to 4.
    static QString text(int index);
    // Untranslated text, as written to the log.
    static QString sourceText(int index);
    // Contact threshold of a class (N); 800 for the automatic class and for
    // an index outside 0 to 4.
    static double threshold(int index);
    // Whether the index is one of the four fixed classes.
    static bool isFixed(int index);
    // Index of the fixed class with this threshold, -1 when there is none.
    static int fixedIndexFor(double threshold);
    // Translated label of the fixed class reached by a threshold (the
    // automatic class shows this label).
    static QString labelFor(double threshold);

    // Writes the selection's debug line and returns the class's threshold.
    static double selectWeightClass(int index);
};

// Adapts one trampoline's contact threshold to its newest landing while the
// automatic class is selected. The store keeps one per watched list.
class AutomaticWeightClass
{
public:
    // Forgets the landing count seen last, e.g. when a measurement starts.
    void reset() { m_lastLandingCount = -1; }

    // Given the watched list's landing count and its newest landing's fmax,
    // returns the new contact threshold when the count changed since the
    // last call, nothing otherwise.
    std::optional<double> adapt(int landingCount, double newestFmax);

private:
    int m_lastLandingCount = -1;
};

} // namespace ovra::util
