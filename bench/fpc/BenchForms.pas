{ The classes of the stream-reading benchmark, published exactly as the C++ side publishes them. }
unit BenchForms;
{$mode objfpc}{$H+}
interface
uses Classes;
type
  TBenchKind = (bkNone, bkSmall, bkLarge);
  TBenchKinds = set of TBenchKind;
  TBenchColumn = class(TCollectionItem)
  private
    FCaption: string; FWidth: Integer;
  published
    property Caption: string read FCaption write FCaption;
    property Width: Integer read FWidth write FWidth;
  end;
  TBenchItem = class(TComponent)
  private
    FCaption, FHint: string; FCount: Integer; FKind: TBenchKind; FKinds: TBenchKinds;
    FRatio: Double; FLines: TStrings; FColumns: TCollection;
    procedure SetLines(V: TStrings); procedure SetColumns(V: TCollection);
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
  published
    property Caption: string read FCaption write FCaption;
    property Hint: string read FHint write FHint;
    property Count: Integer read FCount write FCount;
    property Kind: TBenchKind read FKind write FKind;
    property Kinds: TBenchKinds read FKinds write FKinds;
    property Ratio: Double read FRatio write FRatio;
    property Lines: TStrings read FLines write SetLines;
    property Columns: TCollection read FColumns write SetColumns;
  end;
  TBenchRoot = class(TComponent)
  protected
    procedure GetChildren(Proc: TGetChildProc; Root: TComponent); override;
  end;
implementation
constructor TBenchItem.Create(AOwner: TComponent);
begin inherited Create(AOwner); FLines := TStringList.Create; FColumns := TCollection.Create(TBenchColumn); end;
destructor TBenchItem.Destroy; begin FLines.Free; FColumns.Free; inherited; end;
procedure TBenchItem.SetLines(V: TStrings); begin FLines.Assign(V); end;
procedure TBenchItem.SetColumns(V: TCollection); begin FColumns.Assign(V); end;
procedure TBenchRoot.GetChildren(Proc: TGetChildProc; Root: TComponent);
var i: Integer;
begin for i := 0 to ComponentCount - 1 do Proc(Components[i]); end;
initialization
  RegisterClasses([TBenchItem, TBenchRoot]);
end.
