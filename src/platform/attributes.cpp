#include "platform/attributes.h"

#include "platform/file_services.h"
#include "res/resource.h"

const AttributeBox kAttributeTable[4] = {
    {kFileReadOnly, IDC_ATTR_READONLY, &AttributeChoice::readOnly},
    {kFileHidden, IDC_ATTR_HIDDEN, &AttributeChoice::hidden},
    {kFileSystem, IDC_ATTR_SYSTEM, &AttributeChoice::system},
    {kFileArchive, IDC_ATTR_ARCHIVE, &AttributeChoice::archive},
};

unsigned AttributeChoice::Apply(unsigned word) const {
    for (const AttributeBox& box : kAttributeTable) {
        if (this->*box.state == 1) word |= box.bit;
        else if (this->*box.state == 0) word &= ~box.bit;
    }
    return word;
}

AttributeChoice AttributeChoice::FromWord(unsigned word) {
    AttributeChoice choice;
    for (const AttributeBox& box : kAttributeTable) choice.*box.state = (word & box.bit) ? 1 : 0;
    return choice;
}
