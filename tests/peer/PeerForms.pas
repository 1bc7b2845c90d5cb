{ Components of every published property kind, shared by the peer programs that write and read
  component streams with Free Pascal's Classes unit. }
unit PeerForms;
{$mode objfpc}{$H+}
interface
uses Classes, SysUtils, Variants;
type
  TPeerEnum = (peAlpha, peBeta, peGamma);
  TPeerSet = set of TPeerEnum;
  TPeerSubItem = class(TCollectionItem)
  private
    FTag: string; FWeight: Double;
  published
    property Tag: string read FTag write FTag;
    property Weight: Double read FWeight write FWeight;
  end;
  TPeerItem = class(TCollectionItem)
  private
    FCaption: string; FValue: Integer; FSubItems: TCollection;
    procedure SetSubItems(V: TCollection);
  public
    constructor Create(ACollection: TCollection); override;
    destructor Destroy; override;
  published
    property Caption: string read FCaption write FCaption;
    property Value: Integer read FValue write FValue;
    property SubItems: TCollection read FSubItems write SetSubItems;
  end;
  TPeerFont = class(TPersistent)
  private
    FName: string; FSize: Integer; FStyle: TPeerSet;
  public
    procedure Assign(Source: TPersistent); override;
  published
    property Name: string read FName write FName;
    property Size: Integer read FSize write FSize;
    property Style: TPeerSet read FStyle write FStyle;
  end;
  TPeerControl = class(TComponent)
  private
    FI8: ShortInt; FU8: Byte; FI16: SmallInt; FU16: Word; FI32: LongInt; FU32: LongWord;
    FI64: Int64; FU64: QWord; FSingle: Single; FDouble: Double; FExtended: Extended;
    FCurrency: Currency; FDate: TDateTime; FSStr: ShortString; FLStr: AnsiString;
    FWStr: WideString; FUStr: UnicodeString; FCh: Char; FFlag: Boolean; FKind: TPeerEnum;
    FKinds: TPeerSet; FFont: TPeerFont; FItems: TCollection; FLines: TStrings;
    FBuddy: TComponent; FOnClick: TNotifyEvent; FData: TMemoryStream;
    procedure SetFont(V: TPeerFont); procedure SetItems(V: TCollection); procedure SetLines(V: TStrings);
    procedure ReadData(S: TStream); procedure WriteData(S: TStream);
  protected
    procedure DefineProperties(Filer: TFiler); override;
    procedure Notification(AComponent: TComponent; Operation: TOperation); override;
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    property Data: TMemoryStream read FData;
  published
    property I8: ShortInt read FI8 write FI8;
    property U8: Byte read FU8 write FU8;
    property I16: SmallInt read FI16 write FI16;
    property U16: Word read FU16 write FU16;
    property I32: LongInt read FI32 write FI32;
    property U32: LongWord read FU32 write FU32;
    property I64: Int64 read FI64 write FI64;
    property U64: QWord read FU64 write FU64;
    property FSingleP: Single read FSingle write FSingle;
    property FDoubleP: Double read FDouble write FDouble;
    property FExtendedP: Extended read FExtended write FExtended;
    property FCurrencyP: Currency read FCurrency write FCurrency;
    property FDateP: TDateTime read FDate write FDate;
    property SStr: ShortString read FSStr write FSStr;
    property LStr: AnsiString read FLStr write FLStr;
    property WStr: WideString read FWStr write FWStr;
    property UStr: UnicodeString read FUStr write FUStr;
    property Ch: Char read FCh write FCh;
    property Flag: Boolean read FFlag write FFlag;
    property Kind: TPeerEnum read FKind write FKind;
    property Kinds: TPeerSet read FKinds write FKinds;
    property Font: TPeerFont read FFont write SetFont;
    property Items: TCollection read FItems write SetItems;
    property Lines: TStrings read FLines write SetLines;
    property Buddy: TComponent read FBuddy write FBuddy;
    property OnClick: TNotifyEvent read FOnClick write FOnClick;
  end;
  TPeerPanel = class(TComponent)
  private
    FCaption: string;
  protected
    procedure GetChildren(Proc: TGetChildProc; Root: TComponent); override;
    function GetChildOwner: TComponent; override;
  published
    property Caption: string read FCaption write FCaption;
  end;
  TPeerRoot = class(TComponent)
  private
    FCaption: string;
  protected
    procedure GetChildren(Proc: TGetChildProc; Root: TComponent); override;
  published
    property Caption: string read FCaption write FCaption;
    procedure ButtonClick(Sender: TObject);
  end;

  { Values that Free Pascal writes only for variants and DefineProperty data: vaNull, vaSingle,
    vaCurrency, vaDate, vaWString, vaInt64, vaUTF8String. Free Pascal cannot print its text form.
    (Its reader fails on currency and QWord variants, so there are none.) }
  TPeerExtras = class(TComponent)
  private
    FV1, FV2, FV3, FV4, FV5, FV6, FV7, FV8: Variant;
    FSingle: Single; FCurrency: Currency; FDate: TDateTime; FBig: Int64; FUtf8: string;
    procedure ReadSingle(R: TReader); procedure WriteSingle(W: TWriter);
    procedure ReadCurrency(R: TReader); procedure WriteCurrency(W: TWriter);
    procedure ReadDate(R: TReader); procedure WriteDate(W: TWriter);
    procedure ReadBig(R: TReader); procedure WriteBig(W: TWriter);
    procedure ReadUtf8(R: TReader); procedure WriteUtf8(W: TWriter);
  protected
    procedure DefineProperties(Filer: TFiler); override;
  public
    procedure Fill;
  published
    property V1: Variant read FV1 write FV1;
    property V2: Variant read FV2 write FV2;
    property V3: Variant read FV3 write FV3;
    property V4: Variant read FV4 write FV4;
    property V5: Variant read FV5 write FV5;
    property V6: Variant read FV6 write FV6;
    property V7: Variant read FV7 write FV7;
    property V8: Variant read FV8 write FV8;
  end;

implementation

procedure TPeerItem.SetSubItems(V: TCollection); begin FSubItems.Assign(V); end;
constructor TPeerItem.Create(ACollection: TCollection);
begin inherited Create(ACollection); FSubItems := TCollection.Create(TPeerSubItem); end;
destructor TPeerItem.Destroy; begin FSubItems.Free; inherited; end;

procedure TPeerFont.Assign(Source: TPersistent);
begin
  if Source is TPeerFont then begin FName := TPeerFont(Source).FName; FSize := TPeerFont(Source).FSize; FStyle := TPeerFont(Source).FStyle; end
  else inherited;
end;

constructor TPeerControl.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FFont := TPeerFont.Create; FItems := TCollection.Create(TPeerItem); FLines := TStringList.Create;
  FData := TMemoryStream.Create;
end;
destructor TPeerControl.Destroy;
begin FFont.Free; FItems.Free; FLines.Free; FData.Free; inherited; end;
procedure TPeerControl.SetFont(V: TPeerFont); begin FFont.Assign(V); end;
procedure TPeerControl.SetItems(V: TCollection); begin FItems.Assign(V); end;
procedure TPeerControl.SetLines(V: TStrings); begin FLines.Assign(V); end;
procedure TPeerControl.ReadData(S: TStream); begin FData.Clear; FData.CopyFrom(S, S.Size - S.Position); end;
procedure TPeerControl.WriteData(S: TStream); begin FData.Position := 0; S.CopyFrom(FData, FData.Size); end;
procedure TPeerControl.DefineProperties(Filer: TFiler);
begin
  inherited DefineProperties(Filer);
  Filer.DefineBinaryProperty('Data', @ReadData, @WriteData, FData.Size > 0);
end;
procedure TPeerControl.Notification(AComponent: TComponent; Operation: TOperation);
begin
  inherited;
  if (Operation = opRemove) and (AComponent = FBuddy) then FBuddy := nil;
end;

procedure TPeerPanel.GetChildren(Proc: TGetChildProc; Root: TComponent);
var i: Integer;
begin for i := 0 to ComponentCount - 1 do Proc(Components[i]); end;
function TPeerPanel.GetChildOwner: TComponent; begin Result := Self; end;

procedure TPeerRoot.GetChildren(Proc: TGetChildProc; Root: TComponent);
var i: Integer;
begin for i := 0 to ComponentCount - 1 do Proc(Components[i]); end;
procedure TPeerRoot.ButtonClick(Sender: TObject); begin end;

procedure TPeerExtras.ReadSingle(R: TReader); begin FSingle := R.ReadSingle; end;
procedure TPeerExtras.WriteSingle(W: TWriter); begin W.WriteSingle(FSingle); end;
procedure TPeerExtras.ReadCurrency(R: TReader);
begin
  { TReader.ReadCurrency of Free Pascal 3.2.2 converts the stored integer instead of copying it. }
  if R.ReadValue <> vaCurrency then raise EReadError.Create('Currency expected');
  R.Read(FCurrency, SizeOf(FCurrency));
end;
procedure TPeerExtras.WriteCurrency(W: TWriter); begin W.WriteCurrency(FCurrency); end;
procedure TPeerExtras.ReadDate(R: TReader); begin FDate := R.ReadDate; end;
procedure TPeerExtras.WriteDate(W: TWriter); begin W.WriteDate(FDate); end;
procedure TPeerExtras.ReadBig(R: TReader); begin FBig := R.ReadInt64; end;
procedure TPeerExtras.WriteBig(W: TWriter); begin W.WriteInteger(FBig); end;
procedure TPeerExtras.ReadUtf8(R: TReader); begin FUtf8 := R.ReadString; end;
procedure TPeerExtras.WriteUtf8(W: TWriter);
var Marker: Byte; Len: LongWord;
begin
  { TWriter has no writer for this marker: the bytes are the format's own. }
  Marker := Ord(vaUTF8String); Len := Length(FUtf8);
  W.Write(Marker, 1); W.Write(Len, 4); W.Write(FUtf8[1], Len);
end;

procedure TPeerExtras.DefineProperties(Filer: TFiler);
begin
  inherited DefineProperties(Filer);
  Filer.DefineProperty('Single', @ReadSingle, @WriteSingle, True);
  Filer.DefineProperty('Currency', @ReadCurrency, @WriteCurrency, True);
  Filer.DefineProperty('Date', @ReadDate, @WriteDate, True);
  Filer.DefineProperty('Big', @ReadBig, @WriteBig, True);
  Filer.DefineProperty('Utf8', @ReadUtf8, @WriteUtf8, True);
end;

procedure TPeerExtras.Fill;
begin
  FV1 := Null; FV2 := True; FV3 := Single(0.1); FV4 := TDateTime(45000.75);
  FV5 := Double(-2.5E-10); FV6 := WideString('wide '#$20AC); FV7 := WideString('Zhe '#$0416);
  FV8 := Int64(-5000000000);
  FSingle := -2.75; FCurrency := 922337203685477.5807; FDate := -1.5; FBig := 7;
  FUtf8 := 'Gr'#$C3#$BC#$C3#$9F'e';
end;

initialization
  RegisterClasses([TPeerControl, TPeerPanel, TPeerRoot, TPeerExtras]);
end.
