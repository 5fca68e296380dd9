object Root: TReaderRoot
  Menu = MainMenu1
  object Panel1: TPanel
    object Label1: TLabel
      Caption = 'x'
    end
  end
  object MainMenu1: TMainMenu
  end
  object Other: TRadioPanel
    PopupMenu = Ghost
  end
end
