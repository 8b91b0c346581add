// "Load Sample/Example Files": one numbered line that queues the samples.
#include "app/Form1.h"

#include "app/Steps.h"
#include "filelist/SampleDocuments.h"

namespace fq::app {

void Form1::PushButton6_Click()
{
    Steps s(Report, formLocation(QStringLiteral("PushButton6_Click")));
    s.step(100, [&] { filelist::LoadSampleDocuments(*ListView1, os, this, ApplicationTitle); });
}

} // namespace fq::app
