#include "skin/imagelists/ForeignPopupClasses.h"

#include <algorithm>

const std::vector<String>& ForeignPopupClasses() {
  static const std::vector<String> classes = [] {
    std::vector<String> names = {L"TApplication",
                                 L"TKbSmoothMessageDialogForm",
                                 L"TSynBaseCompletionProposalForm",
                                 L"TPopupListboxFormEh",
                                 L"TfcPopup",
                                 L"TfcxSliceFieldsPopup",
                                 L"TfcxMeasurePopup",
                                 L"TfcxFilterPopup",
                                 L"TcxDateEditPopupWindow",
                                 L"TcxPopupEditPopupWindow",
                                 L"TdxPopupEditForm",
                                 L"TcxComboBoxPopupWindow",
                                 L"TcxDateEditPopupWindow",
                                 L"TcxGridFilterPopup",
                                 L"TPopupDBTreeView"};
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
  }();
  return classes;
}

bool IsForeignPopupClass(const String& ClassName) {
  const auto& classes = ForeignPopupClasses();
  return std::binary_search(classes.begin(), classes.end(), ClassName);
}
