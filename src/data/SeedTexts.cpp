#include "SeedTexts.h"

#include <QStringList>

namespace {

// Stored texts use CR LF between lines. The literals are split and rejoined rather
// than taken as-is so the result does not depend on the source file's line endings.
QString joinedLines(const char *utf8)
{
    QStringList lines = QString::fromUtf8(utf8).split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

namespace SeedTexts {

QString sampleContract()
{
    return joinedLines(R"TXT(SAMPLE CONTRACT ONLY – Replace with your CONTRACT!

ADDITIONAL WORK OR CHARGES
Any work not described in this estimate, including extra coats, repairs to damaged surfaces or changes requested by the customer after work has begun, will be quoted separately and carried out only after the customer has approved the added cost in writing.

CANCELLATION
The customer may cancel this agreement by written notice up to three business days before the scheduled start date. Materials already ordered or mixed for the job, and any time spent preparing the site, will be charged at cost, and any deposit beyond those costs will be refunded.

TREES AND SHRUBS
My Company Name will take reasonable care around plantings but cannot be held responsible for trees, shrubs, flowers or lawns that must be trimmed, tied back or walked on to reach the surfaces to be painted.

FOUNDATIONS The contractor does not paint, seal or repair foundations unless they are listed in this estimate, and accepts no responsibility for cracks, settling or moisture coming through them.

CUSTOMER SUPPLIED MATERIALS
When the customer supplies paint, stain or other materials, My Company Name is not responsible for their quality, colour, coverage or durability, and the workmanship warranty does not apply to failures caused by those materials.

WEATHER
Exterior work depends on dry weather and suitable temperatures. Start and finish dates may shift because of rain, wind, heat or cold, and surfaces must be allowed to dry fully before they are coated, and such delays do not change the agreed price or give grounds for cancellation by either party.

WARRANTY
Workmanship is covered by the written warranty of My Company Name, which is handed to the customer with the final invoice. No other warranty, spoken or written, is given or implied.

ELECTRICAL FIXTURES
Cover plates, light fittings and other fixtures may be removed and put back to allow painting. My Company Name does not rewire, repair or replace electrical parts, and any such work must be done by a licensed electrician.

MOLD
Paint does not cure mold or mildew. Affected areas will be washed before painting where noted, but the contractor cannot guarantee that mold will not return, nor is it liable for any health or property effects of mold. Serious growth should be treated by a specialist before painting.

GUTTERS AND DOWNSPOUTS
Gutters and downspouts are painted only when listed in this estimate. Cleaning, rehanging, sealing or replacing them is not part of this work unless agreed in writing beforehand. Loose or leaking sections will be pointed out to the customer.

FURNISHINGS
The customer is asked to move small items, valuables and breakables before work begins. My Company Name will cover and shift large furniture with great care but is not liable for damage to items the customer chose to leave in place.

UNUSED PAINT
Paint left over at the end of the job belongs to the customer and will be labelled with its colour and room for future touch-ups and small repairs, unless the customer asks for it to be taken away.

TRASH
All drop cloths, tape, empty containers and debris produced by the work will be removed from the site at the end of the job. Disposal of other rubbish, old materials or unwanted items can be arranged at an extra charge.

COMPANY PAYMENT ARRANGEMENTS
A deposit of one third of the estimate is due on signing, and the balance is due on the day the work is completed. Overdue amounts carry interest at the highest rate allowed by law, together with any costs of collecting them. Work on a larger job may be invoiced in stages as agreed.

WALLPAPER REMOVAL
The condition of walls under wallpaper cannot be known in advance. Repairs to plaster or drywall found damaged after removal will be charged as additional work at the rates shown in this estimate.

CONTRACT AGREEMENT
This estimate, once signed by both parties, forms the whole agreement between the customer and My Company Name. Any change to it must be made in writing and signed by both parties to be binding.

Contractor licence no. 000000. This estimate must be signed and returned before the work can be scheduled.)TXT");
}

QString sampleWarranty()
{
    return joinedLines(R"TXT(SAMPLE WARRANTY ONLY – Replace with your WARRANTY!

  My Company Name warrants that the painting work described in the accompanying invoice has been carried out in a good and workmanlike manner. For interior work this warranty runs for one (1) year, and for exterior work for ninety (90) days, in each case counted from the date the work was completed as shown on the invoice. Work done at a later date under a separate invoice carries its own warranty period, which starts on that later completion date.

  During the warranty period, if paint applied by My Company Name peels, blisters, flakes or chips because of faulty workmanship, we will prepare and repaint the affected areas at no charge for labour or materials. Only the areas that have failed will be repainted, and an exact colour match with older surrounding paint cannot be promised, since paint naturally changes shade as it ages and is exposed to light. Repairs made under this warranty will not extend the original warranty period.

  This warranty does not cover failures caused by moisture entering the surface from behind, such as leaks from roofs, gutters, plumbing or poorly sealed windows, nor damage from condensation, mold or mildew. Surfaces that were already cracked, rotted, rusted or unsound before the work began, and any defects in the building itself, are likewise excluded. Hairline cracks in caulking, wood or plaster that open as the building moves with the seasons are not treated as a failure of our workmanship.

  Normal wear and tear is not covered, including fading, chalking or discolouration caused by sunlight, pollution or the natural ageing of paint. Damage from accidents, impacts, abuse, harsh cleaning products, animals, settling of the structure, fire, flood, storms or other acts of nature is also excluded from this warranty. Horizontal surfaces such as decks, steps, railings and window sills wear much faster than walls and are therefore not covered at all.

  Surfaces that were not painted by My Company Name, or that were painted with materials supplied by the customer, are not covered. Nor is any surface that has been repaired, altered or repainted by anyone other than My Company Name after the work was completed, or any area where our instructions for curing and care were not followed. Touch-ups done by the customer with leftover paint are welcome, but they should be kept small.

  To make a claim, the customer must notify My Company Name in writing within the warranty period and within thirty (30) days of noticing the defect, and must give us reasonable access to inspect the work. Any repair work will be scheduled at a time convenient to both parties and, for exterior surfaces, when the weather allows. Claims received after the warranty period has ended cannot be accepted.

  Repainting of the failed areas as described above is the customer's sole and exclusive remedy under this warranty. My Company Name shall not be liable for any incidental or consequential loss or damage, including loss of use, lost income or damage to furnishings or other property, and the total liability shall never exceed the amount paid for the original work.

  This warranty is given only to the original customer named on the invoice and applies only to the property where the work was done. It cannot be transferred or assigned to any later owner, buyer, tenant, heir or other person, and it ends automatically if the property is sold or ownership changes.

THIS WARRANTY IS VOID if payment must be obtained by a lien or any other collection action, or if the invoice has not been paid in full within the payment terms agreed.)TXT");
}

} // namespace SeedTexts
