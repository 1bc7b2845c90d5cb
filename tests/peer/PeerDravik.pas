{ A TDravik as Free Pascal writes and reads it, field by field: the language list, the entry tree
  whose property entries keep one value buffer per stored language in their binary property
  Values, and the named strings as lines ending in CR LF. Used by peer_dravik. }
unit PeerDravik;
{$mode objfpc}{$H+}
interface
uses Classes, SysUtils, Variants, PeerTree;
type
  TLanguageEntry = class(TCollectionItem)
  private
    FName, FHint: string; FSubIndex: Integer;
  public
    constructor Create(ACollection: TCollection); override;
  published
    property Name: string read FName write FName;
    property Hint: string read FHint write FHint;
    property SubIndex: Integer read FSubIndex write FSubIndex;
  end;

  { Slot 0 is the live property; slots 1 to Count-1 hold value buffers, nil when empty. }
  TLangPropertyEntry = class(TPropertyEntry)
  private
    FSlots: array of TBytes;
    function GetCount: Integer;
    procedure SetCount(V: Integer);
    procedure LoadValues(S: TStream);
    procedure StoreValues(S: TStream);
  protected
    procedure DefineProperties(Filer: TFiler); override;
  public
    function Slot(I: Integer): TBytes;
    procedure SetSlots(const Stored: array of TBytes);
  published
    property Count: Integer read GetCount write SetCount;
  end;

  TDravik = class(TComponent)
  private
    FDomain, FLanguage: string; FTopLevel: Boolean;
    FBeforeChange, FOnChange, FAfterChange: TNotifyEvent;
    FLangs: TCollection; FComps: TComponentEntries; FNames, FValues: TStringList;
    procedure ReadLangs(R: TReader); procedure WriteLangs(W: TWriter);
    procedure ReadComps(R: TReader); procedure WriteComps(W: TWriter);
    procedure ReadNames(R: TReader); procedure WriteNames(W: TWriter);
    procedure ReadValues(R: TReader); procedure WriteValues(W: TWriter);
  protected
    procedure DefineProperties(Filer: TFiler); override;
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    procedure AddLanguage(const AName: string; ASubIndex: Integer);
    { A named string: its line in Names and Values and its entry below the own entry. }
    procedure AddString(const AName, Value: string; const Stored: array of TBytes);
    property Langs: TCollection read FLangs;
    property Comps: TComponentEntries read FComps;
    property Names: TStringList read FNames;
    property Values: TStringList read FValues;
  published
    property Domain: string read FDomain write FDomain;
    property Language: string read FLanguage write FLanguage;
    property TopLevel: Boolean read FTopLevel write FTopLevel default False;
    property BeforeChange: TNotifyEvent read FBeforeChange write FBeforeChange;
    property OnChange: TNotifyEvent read FOnChange write FOnChange;
    property AfterChange: TNotifyEvent read FAfterChange write FAfterChange;
  end;

{ A value buffer: the variant's 32-bit type tag, then its payload. }
function VariantToBuffer(const V: Variant): TBytes;
{ A buffer as tag:value, or - for a slot without one. }
function BufferText(const B: TBytes): string;

implementation

constructor TLanguageEntry.Create(ACollection: TCollection);
begin inherited Create(ACollection); FSubIndex := -1; end;

function TLangPropertyEntry.GetCount: Integer; begin Result := Length(FSlots); end;
procedure TLangPropertyEntry.SetCount(V: Integer);
begin if V < 1 then V := 1; SetLength(FSlots, V); end;
function TLangPropertyEntry.Slot(I: Integer): TBytes; begin Result := FSlots[I]; end;

procedure TLangPropertyEntry.SetSlots(const Stored: array of TBytes);
var i: Integer;
begin
  SetCount(Length(Stored) + 1);
  for i := 0 to High(Stored) do FSlots[i + 1] := Stored[i];
end;

procedure TLangPropertyEntry.LoadValues(S: TStream);
var i: Integer; Size: LongInt;
begin
  for i := 1 to High(FSlots) do
  begin
    FSlots[i] := nil;
    S.ReadBuffer(Size, 4);
    SetLength(FSlots[i], Size);
    if Size > 0 then S.ReadBuffer(FSlots[i][0], Size);
  end;
end;

procedure TLangPropertyEntry.StoreValues(S: TStream);
var i: Integer; Size: LongInt;
begin
  for i := 1 to High(FSlots) do
  begin
    Size := Length(FSlots[i]);
    S.WriteBuffer(Size, 4);
    if Size > 0 then S.WriteBuffer(FSlots[i][0], Size);
  end;
end;

procedure TLangPropertyEntry.DefineProperties(Filer: TFiler);
begin
  inherited DefineProperties(Filer);
  Filer.DefineBinaryProperty('Values', @LoadValues, @StoreValues, True);
end;

constructor TDravik.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FLangs := TCollection.Create(TLanguageEntry);
  FComps := TComponentEntries.Create(TComponentEntry);
  FNames := TStringList.Create; FValues := TStringList.Create;
end;

destructor TDravik.Destroy;
begin FValues.Free; FNames.Free; FComps.Free; FLangs.Free; inherited; end;

procedure TDravik.AddLanguage(const AName: string; ASubIndex: Integer);
var L: TLanguageEntry;
begin
  L := TLanguageEntry(FLangs.Add); L.Name := AName; L.SubIndex := ASubIndex;
end;

procedure TDravik.AddString(const AName, Value: string; const Stored: array of TBytes);
var Own: TMainEntry; Resources: TMainEntry; i: Integer; E: TLangPropertyEntry;
begin
  Own := nil;
  for i := 0 to FComps.Count - 1 do
    if TComponentEntry(FComps.Items[i]).Ref = Self then Own := TMainEntry(FComps.Items[i]);
  if Own = nil then Own := AddComponentEntry(FComps, Self);
  Resources := nil;
  for i := 0 to Own.Items.Count - 1 do
    if TMainEntry(Own.Items.Items[i]).Name = 'Resources' then
      Resources := TMainEntry(Own.Items.Items[i]);
  if Resources = nil then Resources := AddEntry(Own, 'Resources', [stTStringsObject, stNoValidate]);
  E := TLangPropertyEntry(AddProp(Resources, AName, tkLString));
  E.Index := FNames.Add(AName);
  FValues.Add(Value);
  E.SetSlots(Stored);
end;

{ Lines each followed by CR LF, whatever this platform's line break is. }
function CrLfText(L: TStrings): string;
var i: Integer;
begin
  Result := '';
  for i := 0 to L.Count - 1 do Result := Result + L[i] + #13#10;
end;

procedure SetCrLfText(L: TStrings; const S: string);
var Start, i: Integer;
begin
  L.Clear; Start := 1; i := 1;
  while i <= Length(S) do
  begin
    if (S[i] = #13) and (i < Length(S)) and (S[i + 1] = #10) then
    begin
      L.Add(Copy(S, Start, i - Start)); Inc(i, 2); Start := i;
    end
    else Inc(i);
  end;
  if Start <= Length(S) then L.Add(Copy(S, Start, MaxInt));
end;

procedure ReadCollectionValue(R: TReader; C: TCollection);
begin
  C.Clear;
  if R.ReadValue <> vaCollection then raise EReadError.Create('Collection expected');
  R.ReadCollection(C);
end;

procedure TDravik.ReadLangs(R: TReader); begin ReadCollectionValue(R, FLangs); end;
procedure TDravik.WriteLangs(W: TWriter); begin W.WriteCollection(FLangs); end;
procedure TDravik.ReadComps(R: TReader); begin ReadCollectionValue(R, FComps); end;
procedure TDravik.WriteComps(W: TWriter); begin W.WriteCollection(FComps); end;
procedure TDravik.ReadNames(R: TReader); begin SetCrLfText(FNames, R.ReadString); end;
procedure TDravik.WriteNames(W: TWriter); begin W.WriteString(CrLfText(FNames)); end;
procedure TDravik.ReadValues(R: TReader); begin SetCrLfText(FValues, R.ReadString); end;
procedure TDravik.WriteValues(W: TWriter); begin W.WriteString(CrLfText(FValues)); end;

procedure TDravik.DefineProperties(Filer: TFiler);
begin
  inherited DefineProperties(Filer);
  Filer.DefineProperty('LanguageManager_Langs', @ReadLangs, @WriteLangs, True);
  Filer.DefineProperty('LanguageManager_Comps', @ReadComps, @WriteComps, True);
  Filer.DefineProperty('LanguageManager_Names', @ReadNames, @WriteNames, True);
  Filer.DefineProperty('LanguageManager_Values', @ReadValues, @WriteValues, True);
end;

procedure Append(var B: TBytes; const Data; N: Integer);
var L: Integer;
begin
  L := Length(B); SetLength(B, L + N);
  if N > 0 then Move(Data, B[L], N);
end;

function VariantToBuffer(const V: Variant): TBytes;
var Tag: LongWord; I16: SmallInt; I32: LongInt; F32: Single; F64: Double; Cur: Currency;
  B8: Byte; S: AnsiString;
begin
  Result := nil;
  Tag := VarType(V) and $FFF;
  Append(Result, Tag, 4);
  case Tag of
    varEmpty, varNull: ;
    varSmallint: begin I16 := V; Append(Result, I16, 2); end;
    varInteger: begin I32 := V; Append(Result, I32, 4); end;
    varSingle: begin F32 := V; Append(Result, F32, 4); end;
    varDouble: begin F64 := V; Append(Result, F64, 8); end;
    varCurrency: begin Cur := V; Append(Result, Cur, 8); end;  { the 64-bit count of 1/10000 }
    varDate: begin F64 := VarToDateTime(V); Append(Result, F64, 8); end;
    varBoolean: begin if Boolean(V) then B8 := 1 else B8 := 0; Append(Result, B8, 1); end;
    varByte: begin B8 := V; Append(Result, B8, 1); end;
    varOleStr, varString: begin S := AnsiString(V); if S <> '' then Append(Result, S[1], Length(S)); end;
  else
    raise Exception.Create('Variant type not supported');
  end;
end;

function BufferText(const B: TBytes): string;
var Tag: LongWord; P: PByte; S: AnsiString;
begin
  if Length(B) = 0 then Exit('-');
  Move(B[0], Tag, 4); P := @B[0]; Inc(P, 4);
  case Tag of
    varEmpty: Result := '';
    varNull: Result := 'Null';
    varSmallint: Result := IntToStr(PSmallInt(P)^);
    varInteger: Result := IntToStr(PLongInt(P)^);
    varSingle: Result := FloatToStr(PSingle(P)^);
    varDouble, varDate: Result := FloatToStr(PDouble(P)^);
    varCurrency: Result := CurrToStr(PCurrency(P)^);
    varBoolean: Result := BoolToStr(P^ <> 0, True);
    varByte: Result := IntToStr(P^);
    varOleStr, varString: begin SetString(S, PAnsiChar(P), Length(B) - 4); Result := S; end;
  else
    Result := '?';
  end;
  Result := IntToStr(Tag) + ':' + Result;
end;

initialization
  PropertyEntryClass := TLangPropertyEntry;
  RegisterClasses([TDravik]);
end.
