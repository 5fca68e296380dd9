object Root: TReaderRoot
  object Block: TBaseAddress
    Orientation = otRight
    NumSwitches = 6
    BaseAddressStr = '200'
  end
  object Three: TThreeJumper
    JumperState = jsLeft
    AllowOpen = False
  end
  object Two: TTwoJumper
    Closed = True
    BorderStyle = bsNone
  end
  object Panel: TRadioPanel
    MemoHeight = 40
    Lines.Strings = ('a' 'b')
    object Inner: TTwoJumper
    end
  end
  object Image: TBoardImage
    First = Circle
    object Circle: TBoardHighlight
      Title = '&Circle'
      RadioPanel = Panel
      HighlightType = htCalibration
      Width = 1
    end
  end
end
