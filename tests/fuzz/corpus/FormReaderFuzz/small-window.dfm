object Root: TReaderRoot
  Caption = 'Small'
  ClientWidth = 200
  ClientHeight = 120
  Menu = MainMenu1
  OnClose = Closing
  object Panel1: TPanel
    Left = 8
    Top = 8
    Width = 120
    Height = 60
    Anchors = [akLeft, akTop, akRight]
    Font.Style = [fsBold]
    OnClick = Clicked
    object Label1: TLabel
      Left = 4
      Top = 4
      Caption = 'It''s here'#13#10'two'
    end
    object Edit1: TEdit
      Left = 4
      Top = 24
      Text = '3f0'
    end
  end
  object Box1: TComboBox
    Left = 130
    Items.Strings = (
      'None'
      'IRQ2')
  end
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      object Exit1: TMenuItem
        Caption = 'E&xit'
        OnClick = Clicked
      end
    end
  end
end
