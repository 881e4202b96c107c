// Any bytes as a sounding file: SoundingFile either rejects them or yields a
// reader whose arrays all have one length, without crashing or hanging.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "io/SoundingFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size),
                          std::ios::in | std::ios::binary);
    const velta::SoundingFile file("fuzz\\input.txt", in);

    volatile std::size_t sink = file.errorText().size() + file.title().size() + file.path().size();
    sink = sink + static_cast<std::size_t>(file.fileKind()) + static_cast<std::size_t>(file.systemFamily());
    const velta::RawData& raw = file.raw();
    const velta::RawRecords& r = raw.records;
    const std::size_t n = r.time.size();
    for (const auto* a :
         {&r.time, &r.pressure, &r.temperature, &r.rh1, &r.rh2, &r.rh3, &r.windDirection, &r.windSpeed, &r.dz,
          &r.longitude, &r.latitude, &r.altitude, &r.gpsAltitude, &r.sats, &r.status}) {
        if (a->size() != n) std::abort();
        double sum = 0.0;
        for (double v : *a) sum += v;
        sink = sink + static_cast<std::size_t>(sum != sum);
    }
    if (file.valid() && (file.reader() == nullptr || n == 0)) std::abort();
    if (file.reader() != nullptr && file.reader()->valid() != file.valid()) std::abort();
    for (const std::string* s :
         {&raw.soundingdescription, &raw.equipmenttype, &raw.radiationcorr, &raw.sondetype, &raw.trackingtype,
          &raw.platformtype, &raw.missionid, &raw.sondeid, &raw.sondemodel, &raw.comments, &raw.operatorName,
          &raw.datatype, &raw.projectid, &raw.launchobssource, &raw.launchobstime})
        sink = sink + s->size();
    // Sums in unsigned arithmetic: the date fields of a rejected file may be any int.
    for (int v : {raw.year, raw.month, raw.day, raw.hour, raw.minute, raw.second})
        sink = sink + static_cast<std::size_t>(static_cast<unsigned>(v));
    if (file.valid()) {
        // An accepted file has a real launch date and time.
        if (raw.month < 1 || raw.month > 12 || raw.day < 1 || raw.day > 31 || raw.hour < 0 || raw.hour > 23 ||
            raw.minute < 0 || raw.minute > 59 || raw.second < 0 || raw.second > 59)
            std::abort();
        sink = sink + static_cast<std::size_t>(raw.timeOfDay());
    }
    sink = sink + static_cast<std::size_t>(raw.ascending) +
           static_cast<std::size_t>(raw.pressure + raw.temperature + raw.rh + raw.speed + raw.direction +
                                        raw.altitude + raw.gpsaltitude + raw.longitude + raw.latitude +
                                        raw.ptuwindtimediff + raw.launchTime !=
                                    0.0);
    (void)sink;
    return 0;
}
