#include "app/dc_DialogCommands.h"

#include "dialogs/D_2Tone.h"
#include "dialogs/D_Ani.h"
#include "dialogs/D_DKEdit.h"
#include "dialogs/D_DSub.h"
#include "dialogs/D_Emerg.h"
#include "dialogs/D_FPanel.h"
#include "dialogs/D_Group.h"
#include "dialogs/D_Hardware.h"
#include "dialogs/D_KFunc.h"
#include "dialogs/D_MDC.h"
#include "dialogs/D_Market.h"
#include "dialogs/D_Misc.h"
#include "dialogs/D_Option.h"
#include "dialogs/D_PCode.h"
#include "dialogs/D_RadioStatus.h"
#include "dialogs/D_SQC.h"
#include "dialogs/D_Scaning.h"
#include "dialogs/D_SelTone.h"
#include "dialogs/D_ToneTbl.h"

const std::vector<TDialogCommand>& DialogCommands() {
    static const std::vector<TDialogCommand> commands = {
        {"miHardware", ExecuteHardwareDialog, TAfterDialog::NewBaseline},
        {"miChannel", ExecuteGroupDialog, TAfterDialog::Everything},
        {"miRadioStatus", ExecuteRadioStatusDialog, TAfterDialog::Nothing},
        {"miOption", ExecuteOptionDialog, TAfterDialog::OptionLayout},
        {"miScanning", ExecuteScaningDialog, TAfterDialog::GroupPage},
        {"miMarketing", ExecuteMarketDialog, TAfterDialog::SerialNo},
        // Another ANI type can change the board and the channels' ANI flags:
        // the page shows them again, so that its next write-back does not
        // bring the old flags back.
        {"miAni", ExecuteAniDialog, TAfterDialog::OptionLayout},
        {"miMdc1200", ExecuteMdcDialog, TAfterDialog::Nothing},
        {"miEmergency", ExecuteEmergDialog, TAfterDialog::Nothing},
        {"miKeyFunction", ExecuteKFuncDialog, TAfterDialog::Nothing},
        {"miDirectCH", ExecuteDKEditDialog, TAfterDialog::Nothing},
        {"miFrontPanel", ExecuteFPanelDialog, TAfterDialog::Nothing},
        // The encryption type can change the board's name.
        {"miMIs", ExecuteMiscDialog, TAfterDialog::OptionLayout},
        {"miSQC", ExecuteSQCDialog, TAfterDialog::Nothing},
        {"miDSUB25", ExecuteDSubDialog, TAfterDialog::Nothing},
        {"miSTone", ExecuteSelToneDialog, TAfterDialog::Nothing},
        {"mi2Tone", Execute2ToneDialog, TAfterDialog::Nothing},
        {"mi2TTable", ExecuteToneTblDialog, TAfterDialog::Nothing},
        {"miPCode", ExecutePCodeDialog, TAfterDialog::Nothing},
    };
    return commands;
}
