#include "config/OptionHelp.h"

#include <map>

namespace velta {
namespace {

const std::map<std::string, OptionHelp>& helpTable() {
    static const std::map<std::string, OptionHelp> table = {
        {"DoQC", {"", "Run the quality-control steps on the raw data."}},
        {"DoLevels", {"", "Select the significant levels from the QC data."}},
        {"DoWMO", {"", "Code the TEMP DROP message from the levels."}},
        {"SfcAltUnknown", {"", "The surface altitude is not known (sonde over land)."}},
        {"SetHtsMissing", {"", "Leave the heights out of the message (set them missing)."}},
        {"DropsondeHitSfc", {"", "The sonde reached the surface: its last data are surface values."}},
        {"SfcAutoDetect", {"", "Decide from the data of each drop whether the sonde reached the surface."}},
        {"DiscardBadCrcData", {"", "Leave out data records whose checksum is wrong."}},
        {"ReportObservedPos", {"", "The QC tab shows the measured GPS position instead of the wind-derived one."}},
        {"AutoFile", {"", "Show the open dialog when the program starts."}},
        {"ChuteArea", {"cm²", "Parachute area, for the sonde's fall speed in the ambient equilibration."}},
        {"DropSondeMass", {"g", "Mass of the sonde, for its fall speed in the ambient equilibration."}},
        {"PosInterpSpan", {"s", "Longest gap over which the position is interpolated."}},
        {"CallSign", {"", "Station call sign of ascending soundings."}},
        {"BSN", {"", "Block and station number of ascending soundings."}},
        {"TempMsgType", {"", "Message type of ascending soundings (0, 1 or 2)."}},
        {"TempAppendNNNN", {"", "End saved and sent messages with NNNN."}},
        {"RHchoice", {"", "Humidity sensor used for QC: 0 first, 1 second, 2 third."}},
        {"ExcludeAbrHdr", {"", "Code the message without the abbreviated heading."}},
        {"PlotPixelsX", {"px", "Width of saved graph images."}},
        {"PlotPixelsY", {"px", "Height of saved graph images."}},
        {"PlotFileFormat", {"", "Format offered first for saved graphs: 0 PNG, 1 JPEG."}},
        {"NumberSkewTWinds", {"", "Most wind barbs drawn along the skew-T."}},
        {"WindSmoothWL", {"s", "Wavelength of the final smoothing of the winds."}},
        {"WindQCWL", {"s", "Wavelength of the filter check of the winds."}},
        {"WindDynCor", {"", "Correct the winds for the sonde's response to wind changes."}},
        {"WindDynCorWL", {"s", "Wavelength of the dynamic wind correction."}},
        {"WindBuddySlope", {"m/s per s", "Largest wind change between neighbouring points in the buddy check."}},
        {"WindQCDev", {"std. dev.", "Filter check limit for the winds, in standard deviations."}},
        {"WindOutlier", {"m/s", "Largest wind departure from the smoothed profile in the outlier check."}},
        {"WindSats", {"satellites", "Fewest GPS satellites for a wind to be kept."}},
        {"WindVVdelta", {"m/s", "Largest departure of the GPS fall speed in the vertical velocity check."}},
        {"TdrySmoothWL", {"s", "Wavelength of the final smoothing of the temperature."}},
        {"TdryQCWL", {"s", "Wavelength of the filter check of the temperature."}},
        {"TdryDynCor", {"", "Correct the temperature for the sensor's time lag."}},
        {"TdryDynCorWL", {"s", "Wavelength of the temperature time-lag correction."}},
        {"SensorResponse", {"", "Temperature sensor model: 0 from the file's sonde type, 1 slow bead, 2 fast sensor."}},
        {"FastSensorTau", {"s", "Response time of the fast temperature sensor at 1000 mb, 20 °C and 6 m/s."}},
        {"TdryBuddySlope", {"deg C per s", "Largest temperature change between neighbouring points in the buddy check."}},
        {"TdryQCDev", {"std. dev.", "Filter check limit for the temperature, in standard deviations."}},
        {"TdryOutlier", {"deg C", "Largest temperature departure from the smoothed profile in the outlier check."}},
        {"TdryOffset", {"deg C", "Offset added to every temperature."}},
        {"PresSmoothWL", {"s", "Wavelength of the pressure smoothing, also used for the fall speed."}},
        {"PresQCWL", {"s", "Wavelength of the filter check of the pressure."}},
        {"PresBuddySlope", {"mb per s", "Largest pressure change between neighbouring points in the buddy check."}},
        {"PresQCDev", {"std. dev.", "Filter check limit for the pressure, in standard deviations."}},
        {"PresOutlier", {"mb", "Largest pressure departure from the smoothed profile in the outlier check."}},
        {"PresOffset", {"mb", "Offset added to every pressure."}},
        {"RHSmoothWL", {"s", "Wavelength of the final smoothing of the humidity."}},
        {"RHQCWL", {"s", "Wavelength of the filter check of the humidity."}},
        {"RHBuddySlope", {"% per s", "Largest humidity change between neighbouring points in the buddy check."}},
        {"RHQCDev", {"std. dev.", "Filter check limit for the humidity, in standard deviations."}},
        {"RHOutlier", {"%", "Largest humidity departure from the smoothed profile in the outlier check."}},
        {"RHOffset", {"%", "Offset added to every humidity."}},
        {"TdryLevelDelta", {"deg C", "Largest temperature departure from a straight line between significant levels."}},
        {"RHLevelDelta", {"%", "Largest humidity departure from a straight line between significant levels."}},
        {"WspdLevelDelta", {"m/s", "Largest wind speed departure from a straight line between wind levels."}},
        {"Wspd850LevelDelta", {"m/s", "The same limit for wind speed below 850 mb."}},
        {"WdirLevelDelta", {"deg", "Largest wind direction departure from a straight line between wind levels."}},
        {"TropSmoothWL", {"s", "Wavelength of the smoothing used in the tropopause search."}},
        {"UpsondeAbrHdr", {"", "Abbreviated heading of ascending soundings' messages."}},
        {"UpsondeICAO", {"", "ICAO identifier in the heading of ascending soundings' messages."}},
        {"TempEmailAddress", {"", "Address the message is e-mailed to."}},
        {"ACtype", {"", "Aircraft's data system for sending: 0 WC130H, 1 WC130J."}},
        {"BaudRateIndex", {"", "Serial speed chosen on the Comm tab (index into its list)."}},
        {"CommPortIndex", {"", "Serial port chosen on the Comm tab (index into its list)."}},
        {"ACagency", {"", "Agency and aircraft in the 61616 remarks, for example AF001."}},
        {"MissionStorm", {"", "Storm system of the mission in the 61616 remarks."}},
        {"MissionId", {"", "Mission identifier in the 61616 remarks."}},
        {"IcaoIndex", {"", "ICAO identifier of the heading chosen on the Comm tab (index into its list)."}},
        {"AbrHdrOvr", {"", "Abbreviated heading to use instead of the coded one."}},
        {"AtcfId", {"", "ATCF storm identifier in the remarks."}},
        {"OptIcao", {"", "ICAO identifier to use instead of the listed ones."}},
        {"DataDir", {"", "Directory the open dialog starts in; set at every opening."}},
        {"WmoSaveDir", {"", "Directory the WMO message was last saved in."}},
        {"QCSaveDir", {"", "Directory QC data were last saved in."}},
        {"RawSaveDir", {"", "Directory raw data were last saved in."}},
        {"XYPlotSaveDir", {"", "Directory XY graphs were last saved in."}},
        {"SkewTPlotSaveDir", {"", "Directory skew-T diagrams were last saved in."}},
    };
    return table;
}

}  // namespace

const OptionHelp* findOptionHelp(const std::string& name) {
    const auto& table = helpTable();
    const auto it = table.find(name);
    return it == table.end() ? nullptr : &it->second;
}

}  // namespace velta
