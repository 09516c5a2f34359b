#include "support/location_fixture.hpp"

#include <QFile>

#include "documents/location_csv.hpp"

namespace qdx::test {

void WriteTestLocations(const QString& folder) {
    TLocationSet set;
    ReadLocationCsv("Greenwich,Northern,England,51.48,0,0,46,28,19,-4,4,32,-6,9\n"
                    "York,Northern,England,53.96,-1.08,0,17,26,18,-6,3,29,-8,8\n"
                    "Cape Point,Southern,Cape,-33.93,18.42,2,44,30,20,4,2,37,2,10\n"
                    "Sydney Test,Southern,New South Wales,-33.95,151.17,10,6,33,20,6,3,40,4,8\n"
                    "Lost Island,Missing,Nowhere,10,10,1,5,30,25,20,3,33,18,6\n",
                    "fixture.csv", set);
    TLocationRecord buoy;
    buoy.DatabaseCode = 2;
    buoy.RegionCode = 0;
    buoy.Name = "Drifting Buoy";
    buoy.Altitude = 0;
    set.Records.push_back(buoy);
    std::string error;
    const std::string dir = folder.toStdString() + "/";
    WriteLocationDatabase(set, dir, error);
    QFile::remove(folder + "/Missing.wdb");
}

}  // namespace qdx::test
