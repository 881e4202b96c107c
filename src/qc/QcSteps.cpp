#include "qc/QcSteps.h"

#include <array>
#include <cmath>

#include "qc/CheckSteps.h"
#include "qc/GeometrySteps.h"
#include "qc/OverrideSteps.h"
#include "qc/ResponseSteps.h"
#include "qc/SmoothingSteps.h"
#include "sounding/DataPoint.h"

namespace velta {

double cutTimeForOverride(double v) { return (std::trunc(v * 10.0) + 0.5) * 0.1; }

void initializeQcSeries(QcRun& run) {
    int family = run.sounding.systemFamily();
    int rhChoice = 0;
    if (family == 0 || family == 3) rhChoice = static_cast<int>(run.number("RHchoice", 0.0));
    bool discard = run.number("DiscardBadCrcData", 0.0) != 0.0;
    double cut = -1.0;
    if (auto v = run.options.numericValue("lastDataTimeOverride"))
        cut = cutTimeForOverride(*v);
    else if (run.decisions.lastFallTime)
        cut = *run.decisions.lastFallTime + 0.01;  // keeps that record, drops the next
    run.sounding.rebuildQCSeries(cut, rhChoice, discard);
    // A launch point that cannot be joined to the sonde's data would bridge the
    // gap to them with invented values; the position keeps its start.
    if (run.decisions.ignoreLaunchPoint) {
        for (const char* name : {"QCPres", "QCTdry", "QCRH", "QCWspd", "QCWdir", "QCU", "QCV"})
            if (DataSeries* s = run.sounding.series(name); s && !s->empty() && s->hasFlags(0, FlagLaunch))
                s->removeAt(0);
    }
}

std::span<const QcStep> qcSteps() {
    using W = QcStep::When;
    static constexpr std::array kSteps{
        QcStep{"initializing", W::Always, &initializeQcSeries},
        QcStep{"setting overrides", W::Always, &setLaunchOverrides},
        QcStep{"applying offsets", W::Always, &applySensorOffsets},
        QcStep{"ambient equilibration", W::NotAscending, &equilibrateAmbient},
        QcStep{"limit checks", W::Always, &applyLimitChecks},
        QcStep{"satellite check", W::Always, &applySatelliteCheck},
        QcStep{"buddy check", W::Always, &applyBuddyCheck},
        QcStep{"outlier check", W::Always, &applyOutlierCheck},
        QcStep{"filter check", W::Always, &applyFilterCheck},
        QcStep{"pressure smoothing", W::Always, &smoothPressure},
        QcStep{"pressure mono check", W::Always, &applyPressureMonoCheck},
        QcStep{"compute vertical velocity", W::Always, &computeVerticalVelocity},
        QcStep{"updating time constants", W::Always, &updateTimeConstants},
        QcStep{"dynamic tdry adjustment", W::Always, &dynamicTdryAdjustment},
        QcStep{"RH lower limiting", W::Always, &limitLowHumidity},
        QcStep{"final smoothing", W::Always, &smoothFinal},
        QcStep{"RH lower limiting", W::Always, &limitLowHumidity},
        QcStep{"pressure adjustment", W::NotAscending, &adjustPressureToSurface},
        QcStep{"compute vertical velocity", W::Always, &computeVerticalVelocity},
        QcStep{"vertical velocity check", W::Always, &applyVerticalVelocityCheck},
        QcStep{nullptr, W::NotAscending, &extrapolateSurfaceObservation},
        QcStep{"dynamic winds adjustment", W::Always, &dynamicWindsAdjustment},
        QcStep{"compute altitudes", W::Always, &computeAltitudes},
        QcStep{"compute position", W::Always, &computePosition},
    };
    return kSteps;
}

}  // namespace velta
