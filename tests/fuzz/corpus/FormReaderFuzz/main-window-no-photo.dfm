object MainForm: TMainForm
  Left = 193
  Top = 106
  Align = alClient
  BorderStyle = bsSingle
  Caption = 'Setup'
  ClientHeight = 602
  ClientWidth = 823
  Color = clWhite
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Menu = MainMenu1
  OldCreateOrder = False
  Position = poScreenCenter
  WindowState = wsMaximized
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object BoardImage1: TBoardImage
    Left = 162
    Top = 122
    Width = 600
    Height = 401
    First = BaseHighlight
    Menu = MainMenu1
    AutoSize = False
    Stretch = True
    object BaseHighlight: TBoardHighlight
      Left = 468
      Top = 9
      Width = 52
      Height = 30
      RadioPanel = BasePanel
      Title = 'Base &Address'
    end
    object IEnableHighlight1: TBoardHighlight
      Left = 71
      Top = 52
      Width = 16
      Height = 14
      RadioPanel = IEnablePanel
      Title = 'IRQ &Enable'
    end
    object IEnableHighlight0: TBoardHighlight
      Left = 250
      Top = 100
      Width = 17
      Height = 19
      RadioPanel = IEnablePanel
      Title = 'IRQ &Enable'
    end
    object BufferHighlight: TBoardHighlight
      Left = 423
      Top = 52
      Width = 33
      Height = 25
      RadioPanel = BufferPanel
      Title = '&Buffer Enabling'
    end
    object IRQHighlight3: TBoardHighlight
      Left = 155
      Top = 299
      Width = 42
      Height = 17
      RadioPanel = IRQPanel
      Title = '&IRQ Level'
    end
    object IRQHighlight2: TBoardHighlight
      Left = 395
      Top = 205
      Width = 20
      Height = 40
      RadioPanel = IRQPanel
      Title = '&IRQ Level'
    end
    object IRQHighlight1: TBoardHighlight
      Left = 472
      Top = 261
      Width = 13
      Height = 43
      RadioPanel = IRQPanel
      Title = '&IRQ Level'
    end
  end
  object BufferPanel: TRadioPanel
    Left = 733
    Top = 230
    Width = 172
    Height = 91
    Lines.Strings = (
      'If the TST/BEN jumper is installed in the BEN position, the buffer' +
        's are permanently enabled. With the jumper in the TST position, t' +
        'he buffer is enabled/disabled through program control.')
    BevelOuter = bvNone
    TabOrder = 1
    OnEnter = BufferPanelEnter
    object BufferJumper: TThreeJumper
      Left = 139
      Top = 23
      Width = 18
      Height = 43
      JumperState = jsLeft
      Orientation = otRight
      OnClick = BufferJumperClick
    end
    object Label13: TLabel
      Left = 138
      Top = 6
      Width = 21
      Height = 13
      Caption = 'TST'
    end
    object Label14: TLabel
      Left = 138
      Top = 70
      Width = 22
      Height = 13
      Caption = 'BEN'
    end
    object BufferBox: TComboBox
      Left = 15
      Top = 20
      Width = 96
      Height = 21
      ItemHeight = 13
      TabOrder = 0
      OnChange = BufferBoxChange
      Items.Strings = (
        'Software Enabled'
        'Always Enabled')
    end
  end
  object BasePanel: TRadioPanel
    Left = 390
    Top = 0
    Width = 161
    Height = 116
    Lines.Strings = (
      'Enter the base address(in hex, from 100 to 3F0) on the left, then' +
        ' set the card'#39's address switch to match the one on the right.')
    BevelOuter = bvNone
    TabOrder = 2
    object BaseBA: TBaseAddress
      Left = 88
      Top = 8
      Width = 61
      Height = 102
      Orientation = otRight
      NumSwitches = 6
      BaseAddressStr = '200'
    end
    object BaseFeedbackLabel: TLabel
      Left = 8
      Top = 64
      Width = 73
      Height = 17
      Alignment = taCenter
      AutoSize = False
    end
    object BaseEdit: TEdit
      Left = 24
      Top = 40
      Width = 41
      Height = 21
      TabOrder = 0
      Text = '200'
      OnChange = BaseEditChange
    end
  end
  object IRQPanel: TRadioPanel
    Left = 376
    Top = 467
    Width = 236
    Height = 118
    Lines.Strings = (
      'Set these jumpers to specify what IRQ the QRT-72S generates interr' +
        'upts on. If set to "None", no interrupts will be generated.')
    BevelOuter = bvNone
    TabOrder = 3
    OnEnter = IRQPanelEnter
    object Label33: TLabel
      Left = 128
      Top = 8
      Width = 6
      Height = 13
      Caption = '3'
    end
    object Label34: TLabel
      Left = 128
      Top = 25
      Width = 6
      Height = 13
      Caption = '4'
    end
    object Label35: TLabel
      Left = 128
      Top = 42
      Width = 6
      Height = 13
      Caption = '5'
    end
    object Label36: TLabel
      Left = 128
      Top = 59
      Width = 6
      Height = 13
      Caption = '6'
    end
    object Label37: TLabel
      Left = 128
      Top = 76
      Width = 6
      Height = 13
      Caption = '7'
    end
    object Label38: TLabel
      Left = 21
      Top = 48
      Width = 12
      Height = 13
      Caption = '15'
    end
    object Label39: TLabel
      Left = 38
      Top = 48
      Width = 12
      Height = 13
      Caption = '14'
    end
    object Label40: TLabel
      Left = 55
      Top = 48
      Width = 12
      Height = 13
      Caption = '12'
    end
    object Label41: TLabel
      Left = 72
      Top = 48
      Width = 12
      Height = 13
      Caption = '11'
    end
    object Label42: TLabel
      Left = 89
      Top = 48
      Width = 12
      Height = 13
      Caption = '10'
    end
    object Label32: TLabel
      Left = 205
      Top = 80
      Width = 6
      Height = 13
      Caption = '2'
    end
    object IRQBox: TComboBox
      Left = 12
      Top = 13
      Width = 101
      Height = 21
      ItemHeight = 13
      TabOrder = 0
      OnChange = IRQBoxChange
      Items.Strings = (
        'None'
        'IRQ2'
        'IRQ3'
        'IRQ4'
        'IRQ5'
        'IRQ6'
        'IRQ7'
        'IRQ10'
        'IRQ11'
        'IRQ12'
        'IRQ14'
        'IRQ15')
    end
  end
  object IEnablePanel: TRadioPanel
    Left = -66
    Top = 239
    Width = 224
    Height = 70
    Lines.Strings = (
      'To enable interrupts on a port, install this jumper.')
    BevelOuter = bvNone
    TabOrder = 4
    OnEnter = IEnablePanelEnter
    object IEnableJumper: TTwoJumper
      Left = 175
      Top = 30
      Width = 34
      Height = 18
      OnClick = IEnableJumperClick
    end
    object Label23: TLabel
      Left = 180
      Top = 15
      Width = 24
      Height = 13
      Alignment = taCenter
      Caption = 'IEN1'
    end
    object IEnableBox: TComboBox
      Left = 13
      Top = 21
      Width = 133
      Height = 21
      ItemHeight = 13
      TabOrder = 0
      OnChange = IEnableBoxChange
      Items.Strings = (
        'Disabled'
        'Enabled')
    end
  end
  object MainMenu1: TMainMenu
    Left = 16
    Top = 8
    object File1: TMenuItem
      Caption = '&File'
      object Exit2: TMenuItem
        Caption = '&Exit'
        OnClick = Exit2Click
      end
    end
    object Help1: TMenuItem
      Caption = '&Help'
      object Howtousethisprogram1: TMenuItem
        Caption = 'H&ow to use this program'
        OnClick = Howtousethisprogram1Click
      end
      object TechnicalSupport1: TMenuItem
        Caption = '&Technical Support'
        OnClick = TechnicalSupport1Click
      end
    end
  end
  object SetSup: TSetupSupporter
    CompanyName = 'Veltrona'
    CardNameA = 'QRT-72(S)'
    CardNameB = 'MXR72S/BT-K'
    CallHow = 'from 8 am to 5 pm Pacific Time at 555-0142'
    ChangeButtons = True
    Left = 48
    Top = 8
  end
end
