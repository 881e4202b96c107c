#include "qc/SmoothingSteps.h"

#include <algorithm>

#include "qc/MetFormulas.h"
#include "qc/QcOptionValue.h"
#include "qc/SplineSmoother.h"
#include "qc/VerticalVelocity.h"

namespace velta {

void smoothPressure(QcRun& run) {
    DataSeries* pres = run.sounding.series("QCPres");
    if (!pres) return;
    bool failed = false;
    SplineSmoother{}(*pres, optionOrDefault(run, "PresSmoothWL"), failed);
    if (failed) run.fail("Final smoothing failed for pressure\n");
}

void smoothFinal(QcRun& run) {
    const SplineSmoother smooth;
    bool failed = false;
    if (DataSeries* tdry = run.sounding.series("QCTdry")) {
        smooth(*tdry, optionOrDefault(run, "TdrySmoothWL"), failed);
        if (failed) run.fail("Final smoothing failed for tdry\n");
    }
    if (DataSeries* rh = run.sounding.series("QCRH")) {
        smooth(*rh, optionOrDefault(run, "RHSmoothWL"), failed);
        if (failed) run.fail("Final smoothing failed for RH\n");
    }

    DataSeries* u = run.sounding.series("QCU");
    DataSeries* v = run.sounding.series("QCV");
    if (!u || !v) return;
    const double wavelength = optionOrDefault(run, "WindSmoothWL");
    smooth(*u, *v, wavelength, failed);
    if (failed) {
        run.fail("Final smoothing failed for winds\n");
        return;
    }
    DataSeries* speed = run.sounding.series("QCWspd");
    DataSeries* direction = run.sounding.series("QCWdir");
    if (!speed || !direction) return;
    // The four wind series hold the same points; the bound only guards
    // against a sounding where they do not.
    const int32_t n = std::min({speed->size(), direction->size(), u->size(), v->size()});
    for (int32_t i = 0; i < n; ++i) {
        double s = 0.0, d = 0.0;
        windSpeedDirection(u->value(i), v->value(i), s, d);
        speed->setValue(i, s);
        direction->setValue(i, d);
    }
}

void computeVerticalVelocity(QcRun& run) {
    DataSeries* dz = run.sounding.series("QCDz");
    if (!dz) dz = &run.sounding.addSeries("QCDz", DataSeries("QCDz"));
    const DataSeries* pres = run.sounding.series("QCPres");
    if (!pres) {
        dz->clear();
        return;
    }
    const double wavelength = run.number("PresSmoothWL", 10.0);
    VerticalVelocity{}(*pres, run.sounding.series("QCTdry"), run.sounding.series("QCRH"), wavelength, *dz);
}

}  // namespace velta
