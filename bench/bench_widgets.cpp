// GUI-thread cost of the plotter and the result widgets per block of 48
// samples over a 1000 s measurement of two beds with synthetic jumps. Prints
// median, 99th percentile and worst block in milliseconds. The store and the
// landing detection are not part of this figure.
#include "widgets/BarChartWidget.h"
#include "widgets/HorizontalDisplacementResultWidget.h"
#include "widgets/IndividualResultsTableModel.h"
#include "widgets/PlotterWidget.h"
#include "widgets/TofSynResultWidget.h"
#include "widgets/TrampolineWidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QLoggingCategory>
#include <QTableView>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <ctime>
#include <vector>

namespace {

constexpr int kBlockSamples = 48;
constexpr int kSeconds = 1000;
constexpr int kSamples = kSeconds * 1000;

// One bed: contacts shaped like half a sine (peak 3600 to 4400 N total)
// separated by flights of 1.2 to 1.6 s, the load spread over the four
// sensors by where the athlete lands.
struct JumpGenerator
{
    std::mt19937 random;
    int phase = 0;
    int contactLength = 450;
    int flightLength = 1300;
    double peak = 4000.0;
    std::array<double, 4> share{0.25, 0.25, 0.25, 0.25};
    double x = 0.0;
    double y = 0.0;
    bool contactEnded = false;

    explicit JumpGenerator(unsigned seed, int startPhase)
        : random(seed)
        , phase(startPhase)
    {
        newJump();
    }

    void newJump()
    {
        std::uniform_int_distribution<int> flight(1200, 1600);
        std::uniform_int_distribution<int> contact(380, 520);
        std::uniform_real_distribution<double> peakForce(3600.0, 4400.0);
        std::uniform_real_distribution<double> offset(-0.6, 0.6);
        flightLength = flight(random);
        contactLength = contact(random);
        peak = peakForce(random);
        const double u = offset(random);
        const double v = offset(random);
        x = u * 91.25;
        y = v * 60.6;
        share = {0.25 * (1 - u) * (1 - v), 0.25 * (1 - u) * (1 + v), 0.25 * (1 + u) * (1 + v),
                 0.25 * (1 + u) * (1 - v)};
    }

    std::array<double, 4> next()
    {
        std::normal_distribution<double> noise(0.0, 4.0);
        std::array<double, 4> forces{};
        const double total = phase < contactLength
                                 ? peak * std::sin(M_PI * phase / contactLength)
                                 : 0.0;
        for (std::size_t s = 0; s < 4; ++s)
            forces[s] = total * share[s] + noise(random);
        ++phase;
        contactEnded = phase == contactLength;
        if (phase >= contactLength + flightLength) {
            phase = 0;
            newJump();
        }
        return forces;
    }
};

struct Bed
{
    JumpGenerator generator;
    TrampolineWidget *widget = nullptr;
    int landings = 0;
    int routineLandings = 0;
    double tofSum = 0.0;
    double hdSum = 0.0;
};

// CPU time of the calling thread: what the GUI thread itself spends, without
// the time other processes on a shared machine take from it.
class ThreadClock
{
public:
    void start() { m_start = now(); }
    double elapsedMs() const { return (now() - m_start) / 1e6; }

private:
    static double now()
    {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return static_cast<double>(ts.tv_sec) * 1e9 + static_cast<double>(ts.tv_nsec);
    }
    double m_start = 0.0;
};

double percentile(std::vector<double> sorted, double p)
{
    std::sort(sorted.begin(), sorted.end());
    const std::size_t index = std::min(sorted.size() - 1,
                                       static_cast<std::size_t>(p * static_cast<double>(sorted.size())));
    return sorted[index];
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));

    // The detailed page: plotter, both beds, read-outs and the table; the
    // continuous page's bar chart beside it.
    QWidget page;
    auto *layout = new QGridLayout(&page);
    auto *plotter = new PlotterWidget(&page);
    auto *bed1 = new TrampolineWidget(&page);
    bed1->setTitle(QStringLiteral("TRAMPOLINE 1"));
    auto *bed2 = new TrampolineWidget(&page);
    bed2->setTitle(QStringLiteral("TRAMPOLINE 2"));
    bed2->setTrampoline(1);
    auto *hd = new HorizontalDisplacementResultWidget(&page);
    auto *tof = new TofSynResultWidget(&page);
    auto *model = new widget::individual::IndividualResultsTableModel(&page);
    auto *table = new QTableView(&page);
    table->setModel(model);
    auto *chart = new BarChartWidget(&page);
    layout->addWidget(plotter, 0, 0, 1, 3);
    layout->addWidget(bed1, 1, 0);
    layout->addWidget(bed2, 1, 1);
    layout->addWidget(chart, 1, 2);
    layout->addWidget(hd, 2, 0);
    layout->addWidget(tof, 2, 1);
    layout->addWidget(table, 2, 2);
    page.resize(1225, 900);
    page.show();
    QApplication::processEvents();

    std::array<Bed, 2> beds{Bed{JumpGenerator(7, 0), bed1}, Bed{JumpGenerator(11, 700), bed2}};
    std::vector<widget::plot::ChannelForces> block(kBlockSamples);
    std::vector<double> costs;
    std::vector<double> wallCosts;
    costs.reserve(kSamples / kBlockSamples + 1);
    wallCosts.reserve(kSamples / kBlockSamples + 1);
    ThreadClock timer;
    QElapsedTimer wall;
    int landingsShown = 0;

    for (int sample = 0; sample + kBlockSamples <= kSamples; sample += kBlockSamples) {
        std::array<bool, 2> landed{false, false};
        for (int i = 0; i < kBlockSamples; ++i) {
            for (std::size_t t = 0; t < 2; ++t) {
                const auto forces = beds[t].generator.next();
                for (std::size_t s = 0; s < 4; ++s)
                    block[static_cast<std::size_t>(i)][t * 4 + s] = forces[s];
                landed[t] = landed[t] || beds[t].generator.contactEnded;
            }
        }

        wall.start();
        timer.start();
        plotter->appendSamples(block);
        const double afterPlot = timer.elapsedMs();
        for (std::size_t t = 0; t < 2; ++t) {
            if (!landed[t])
                continue;
            Bed &bed = beds[t];
            data::model::Landing landing;
            landing.landingNumber = bed.landings;
            landing.timeOfFlight = bed.landings == 0 ? 0 : bed.generator.flightLength / 5 * 5;
            landing.landingPosition = {bed.generator.x, bed.generator.y};
            landing.hdDeduction = std::abs(bed.generator.x) > 54 ? 0.1 : 0.0;
            ++bed.landings;
            // A continuous routine of ten: the eleventh landing rolls the
            // first out.
            if (bed.routineLandings == 10) {
                bed.widget->rolloverPositions();
                if (t == 0)
                    chart->rollover();
                --bed.routineLandings;
            }
            const int index = bed.routineLandings++;
            bed.widget->drawLanding(index, landing);
            if (t == 0) {
                bed.tofSum += landing.timeOfFlight * 0.001;
                bed.hdSum += 1.0 - landing.hdDeduction;
                data::model::IndividualRoutineResult result;
                result.timeOfFlight = bed.tofSum;
                result.horizontalDisplacement = bed.hdSum;
                result.elementCount = static_cast<quint64>(bed.routineLandings);
                model->setLanding(index, landing);
                model->setResult(result);
                hd->setIndividualResult(result);
                tof->setIndividualResult(result);
                chart->updateLandingTrampoline1(static_cast<std::size_t>(index), landing,
                                                DataUpdateReason::Measurement);
                ++landingsShown;
            }
        }
        const double afterWidgets = timer.elapsedMs();
        // Painting happens here, as it would before the next block arrives.
        QApplication::processEvents();
        const double total = timer.elapsedMs();
        costs.push_back(total);
        wallCosts.push_back(static_cast<double>(wall.nsecsElapsed()) / 1e6);
        if (qEnvironmentVariableIsSet("BENCH_TRACE") && total > 2.0)
            std::printf("block %d: plot %.2f widgets %.2f paint %.2f landed %d %d\n",
                        sample / kBlockSamples, afterPlot, afterWidgets - afterPlot,
                        total - afterWidgets, int(landed[0]), int(landed[1]));
    }

    // A picture of the page at the end, for checking the drawing by eye.
    const QString screenshot = qEnvironmentVariable("BENCH_SCREENSHOT");
    if (!screenshot.isEmpty())
        page.grab().save(screenshot);

    const double worst = *std::max_element(costs.begin(), costs.end());
    double sum = 0.0;
    for (double c : costs)
        sum += c;
    const double wallWorst = *std::max_element(wallCosts.begin(), wallCosts.end());
    std::printf("blocks of %d samples:        %zu (%d s, both beds, %d landings on bed 1)\n",
                kBlockSamples, costs.size(), kSeconds, landingsShown);
    std::printf("GUI-thread CPU per block:    median %.3f ms, mean %.3f ms, p99 %.3f ms, "
                "p99.9 %.3f ms, worst %.3f ms\n",
                percentile(costs, 0.5), sum / static_cast<double>(costs.size()),
                percentile(costs, 0.99), percentile(costs, 0.999), worst);
    std::printf("wall clock per block:        median %.3f ms, p99 %.3f ms, worst %.3f ms "
                "(includes time taken by other processes)\n",
                percentile(wallCosts, 0.5), percentile(wallCosts, 0.99), wallWorst);
    std::printf("plotter paints:              %d partial, %d full\n", plotter->partialRedraws(),
                plotter->fullRedraws());
    std::printf("targets:                     median < 2 ms, worst < 16 ms\n");
    return 0;
}
